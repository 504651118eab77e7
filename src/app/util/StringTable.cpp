#include "app/util/StringTable.h"

#include <map>

namespace {

const std::map<int, const char*>& Table() {
    static const std::map<int, const char*> table = {
        {161, "1600%"},
        {162, "Iinformation of the image file will be displayed in here."},
        {211, "ＭＳ ゴシック"},
        {212, "クリップボード"},
        {213, "%dx%d "},
        {214, "中間ファイル展開ディレクトリの指定"},
        {215, "tlmn"},
        {216, "No Files"},
        {217,
         "Image files(*.bmp;*.dib;*.rle;*.jpg;*.jpeg;*.jif;*.jfif;*.png;*.tif;*.tiff;*.mag;*.mki;"
         "*.rgb;*.q0;*.fal)|*.bmp;*.dib;*.rle;*.jpg;*.jpeg;*.jif;*.jfif;*.png;*.tif;*.tiff;*.mag;"
         "*.mki;*.rgb;*.q0;*.fal|JPEG file(*.jpg;*.jpeg;*.jif;*.jfif)|*.jpg;*.jpeg;*.jif;*.jfif|"
         "BMP file(*.bmp;*.dib;*.rle)|*.bmp;*.dib;*.rle|PNG file(*.png)|*.png|"
         "TIFF file(*.tif;*.tiff)|*.tif;*.tiff|MAG file(*.mag;*.mki)|*.mag;*.mki|"
         "RGB file(*.rgb;*.q0;*.fal)|*.rgb;*.q0;*.fal|All files(*.*)|*.*||"},
        {218, "JPEG file(*.jpg)|*.jpg|BMP file(*.bmp)|*.bmp|PNG file(*.png)|*.png|"
              "RGB file(*.rgb)|*.rgb|All files(*.*)|*.*||"},
        {219, "Text file(*.txt;*.doc)|*.txt;*.doc|All files(*.*)|*.*||"},
        {220, "HTML file(*.htm;*.html)|*.htm;*.html|Text file(*.txt;*.doc)|*.txt;*.doc|"
              "All files(*.*)|*.*||"},
        {221, "JPEG file(*.jpg;*.jpeg;*.jif;*.jfif)|*.jpg;*.jpeg;*.jfif|PNG file(*.png)|*.png|"
              "All files(*.*)|*.*||"},
        {222, "JPEG ファイルを開く(マーカー編集モード)"},
        {223, "コメントファイルを開く"},
        {224, "*.*"},
        {225, "DQT file(*.dqt,*.csv,*.txt)|*.dqt;*.csv;*.txt|All files(*.*)|*.*||"},
        {226, "DQT ファイルを開く"},
        {227, "DQT ファイルの保存"},
        {228, ".dqt"},
        {229, "ja-jp"},
        {251, "default"},
        {252, "bulkconv"},
        {253, "bulkfilter"},
        {254, "ファイルを検索しています..."},
        {255, "ファイルを処理しています..."},
        {256, "%d 個のファイルを処理しました"},
        {271, "B/W"},
        {272, "1:1"},
        {273, "2:1"},
        {274, "4:1"},
        {275, "1:2"},
        {277, "ベースライン"},
        {278, "プログレッシブ"},
        {279, "New Image"},
        {280, "Modified Image"},
        {281, "Clipboard Image"},
        {282, " [Unknown]"},
        {284, "転送先ディレクトリの検索"},
        {285, "転送元ディレクトリの検索"},
        {286, "ログファイルの設定"},
        {287, "(%ld バイトの削減)"},
        {288, "環境設定"},
        {289, "24bit RGB"},
        {290, "8bit Idx-color"},
        {291, "4bit Idx-color"},
        {292, "8bit Grayscale"},
        {293, "4bit Grayscale"},
        {350, "転送先ディレクトリが存在しません"},
        {351, "ファイルが開けません"},
        {352, "メモリが確保できません"},
        {353, "ビットマップを生成できません"},
        {354, "DIBを生成できません"},
        {355, "中間ファイルが生成できません"},
        {356, "マーカーヘッダ長と実際の長さが一致しません\n強制的に一致させますか？"},
        {357, "変更されたマーカを JPEG "
              "ファイルに反映します\nこの操作は致命的結果をもたらす可能性があります\n"
              "本当に実行しますか？"},
        {358,
         "中間ファイルのコピーに失敗しました\n下記のファイルが中間ディレクトリに残されています"},
        {359, "転送元ディレクトリが存在しません"},
        {361, "CImageDoc が作成できません"},
        {362, "ログファイルが作成できません"},
        {363, "この形式の TIFF フォーマットには対応していません"},
        {364, "%s への変更を保存しますか?"},
        {368, "文字「%s」(U+%04X) は Shift_JIS で表せないため、コメントに使えません"},
        {539, "Aspect"},
        {540, "dot/inch"},
        {541, "dot/cm"},
        {2101, "露出="},
        {2102, "測光="},
        {2103, "(その他)"},
        {2200, "(不明)"},
        {2201, "マニュアル"},
        {2202, "プログラムAE"},
        {2203, "絞り優先"},
        {2204, "シャッター優先"},
        {2205, "低速プログラム"},
        {2206, "高速プログラム"},
        {2207, "ポートレート"},
        {2208, "風景モード"},
        {2300, "(不明)"},
        {2301, "平均"},
        {2302, "中央重点"},
        {2303, "スポット"},
        {2304, "多点スポット"},
        {2305, "マルチセグメント"},
        {2306, "部分"},
        {2501, "Exposure="},
        {2502, "Metering="},
        {2503, "(Other)"},
        {2600, "(Unknown)"},
        {2601, "Manual"},
        {2602, "Program-AE"},
        {2603, "Aperture"},
        {2604, "Shutter"},
        {2605, "Slow-AE"},
        {2606, "Fast-AE"},
        {2607, "Portrait"},
        {2608, "Landscape"},
        {2700, "(Unknown)"},
        {2701, "Average"},
        {2702, "Center-w."},
        {2703, "Spot"},
        {2704, "Multi-spot"},
        {2705, "Multi-seg."},
        {2706, "Partial"},
        {3001, "バージョン %s"},
        {3002, "使用しているライブラリ"},
        {3003, "本プログラムはフリーソフトウェアです。"},
        {3010, "This software is based in part on the work of the Independent JPEG Group."},
        {3011, "PNG Reference Library"},
        {3012, "Jean-loup Gailly and Mark Adler"},
        {3013, "The Qt Company Ltd."},
    };
    return table;
}

} // namespace

std::string LoadString(StringId id) {
    auto found = Table().find(static_cast<int>(id));
    return found == Table().end() ? std::string() : std::string(found->second);
}
