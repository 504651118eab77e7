#pragma once
// The state and rules of the image size dialog: two fields, width and height, and "keep the
// aspect ratio" (on at first). While the aspect is kept, editing one field rewrites the other
// from the starting size; turning it on applies the rule of the field the user edited last.
// Only the user's edits call Edit*; the dialog's own updates of the fields do not count.
#include <cstdint>
#include <string>

class SizeDialogModel {
public:
    SizeDialogModel(uint32_t width, uint32_t height);

    const std::string& WidthText() const { return widthText_; }
    const std::string& HeightText() const { return heightText_; }
    bool KeepAspect() const { return keepAspect_; }

    void EditWidth(const std::string& text);
    void EditHeight(const std::string& text);
    void SetKeepAspect(bool keep);

    // What OK reads: both fields as unsigned numbers (0 when a text is not a number).
    uint32_t ChosenWidth() const;
    uint32_t ChosenHeight() const;
    bool SizeChanged() const;

private:
    enum class Field { None, Width, Height };

    void ApplyAspect(Field edited);

    uint32_t startWidth_, startHeight_;
    std::string widthText_, heightText_;
    bool keepAspect_ = true;
    Field lastEdited_ = Field::None;
};
