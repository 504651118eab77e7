#pragma once
// The image view's coordinates. Image coordinates count image pixels; view coordinates count
// screen pixels of the scaled picture, whose origin is the image's top-left corner (a scroll
// position is a view coordinate). A zoom is in percent, 100 = 1:1, and always positive here.
struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0, height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

constexpr int kActualSizeZoom = 100;

// v = (i * zoom + 50) / 100 and i = (zoom / 2 + v * 100) / zoom, truncating; results that
// would not fit an int are held at its limits.
int ToView(int image, int zoom);
int ToImage(int view, int zoom);
Point ToView(Point image, int zoom);
Point ToImage(Point view, int zoom);
Size ToView(Size image, int zoom);
Size ToImage(Size view, int zoom);

// The image point under a client point of a view scrolled to scroll.
Point ClientToImage(Point client, Point scroll, int zoom);

// The largest scroll position: how far the scaled picture reaches past the client area.
Point MaxScroll(Size scaled, Size client);
Point ClampScroll(Point scroll, Size scaled, Size client);
// The scroll position that centres a picture larger than the client area (0 on an axis where
// it is smaller).
Point CentredScroll(Size scaled, Size client);

// The rectangle spanned by two points, left <= right and top <= bottom.
Rect SpanRect(Point a, Point b);
// The image region under a selection given in client coordinates. It is not clipped: a
// selection beyond the picture reaches beyond the image.
Rect SelectedImageRegion(const Rect& selection, Point scroll, int zoom);

// What the view arithmetic needs to know about a view.
struct ViewState {
    int zoom = kActualSizeZoom;
    Size image;  // image pixels
    Size client; // the view's client area
    Point scroll;

    // The picture at the zoom: the scroll size.
    Size Scaled() const { return ToView(image, zoom); }
};
