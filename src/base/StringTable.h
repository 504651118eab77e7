#pragma once
// The program's string table: user-visible texts by resource id (UTF-8), and the names of the ids.
#include <string>

// Every id of the string table. A range (sampling names, Exif program and metering names) is named
// by its first entry and addressed with StringIdAt.
enum class StringId : int {
    ZoomPaneWidth = 161,          // "1600%"
    InfoPaneInitial = 162,        // the information pane's first text
    FixedFontFace = 211,          // "ＭＳ ゴシック": the marker inspector's hex text
    ClipboardTitle = 212,         // "クリップボード"
    ImageSizeFormat = 213,        // "%dx%d "
    TempDirectoryTitle = 214,     // folder picker of the temporary directory
    TempFilePrefix = 215,         // "tlmn"
    NoFiles = 216,                // "No Files"
    OpenFilter = 217,             // open-file dialog filter
    SaveFilter = 218,             // save-file dialog filter
    TextFileFilter = 219,         // comment text files
    LogFileFilter = 220,          // HTML log files
    MarkerFileFilter = 221,       // files for the marker editor
    MarkerOpenTitle = 222,        // "JPEG ファイルを開く(マーカー編集モード)"
    CommentOpenTitle = 223,       // "コメントファイルを開く"
    AllFilesName = 224,           // "*.*"
    DqtFilter = 225,              // DQT file dialogs
    DqtOpenTitle = 226,           // "DQT ファイルを開く"
    DqtSaveTitle = 227,           // "DQT ファイルの保存"
    DqtExtension = 228,           // ".dqt"
    HelpLanguage = 229,           // "ja-jp"
    DefaultSection = 251,         // "default"
    BulkConvSection = 252,        // "bulkconv"
    BulkFilterSection = 253,      // "bulkfilter"
    SearchingFiles = 254,         // "ファイルを検索しています..."
    ProcessingFiles = 255,        // "ファイルを処理しています..."
    FilesProcessed = 256,         // "%d 個のファイルを処理しました"
    SamplingNames = 271,          // 271..275: "B/W", "1:1", "2:1", "4:1", "1:2"
    EncodingNames = 277,          // 277, 278: "ベースライン", "プログレッシブ"
    NewImage = 279,               // "New Image"
    ModifiedImage = 280,          // "Modified Image"
    ClipboardImage = 281,         // "Clipboard Image"
    UnknownSize = 282,            // " [Unknown]"
    DestinationFolderTitle = 284, // folder picker of the destination
    SourceFolderTitle = 285,      // folder picker of the source
    LogFileTitle = 286,           // "ログファイルの設定"
    BytesSaved = 287,             // "(%ld バイトの削減)"
    SettingsTitle = 288,          // "環境設定"
    PngModeNames = 289,           // 289..293: the PNG save modes
    NoDestinationFolder = 350,    // "転送先ディレクトリが存在しません"
    CannotOpen = 351,             // "ファイルが開けません"
    NoMemory = 352,               // "メモリが確保できません"
    NoBitmap = 353,               // "ビットマップを生成できません"
    NoDib = 354,                  // "DIBを生成できません"
    NoTempFile = 355,             // "中間ファイルが生成できません"
    LengthMismatchQuestion = 356, // segment length differs; force it?
    SaveMarkersQuestion = 357,    // write the changed markers back?
    TempCopyFailed = 358,         // the temporary file could not be copied back
    NoSourceFolder = 359,         // "転送元ディレクトリが存在しません"
    NoDocument = 361,             // "CImageDoc が作成できません"
    NoLogFile = 362,              // "ログファイルが作成できません"
    UnsupportedTiff = 363, // "この形式の TIFF フォーマットには対応していません"
    AskToSave = 364,       // "%s への変更を保存しますか?" (a modified document closes)
    NotShiftJis = 368,     // a comment character Shift_JIS cannot hold: "%s" and U+%04X
    FilesFailed = 380,     // "うち %d 個は失敗しました" (after the batch summary's count)
    FoldersFailed = 381,   // "%d 個のフォルダーを処理できませんでした"
    SeeLog = 382,          // "(ログ: %s)"
    LogNotWritten = 383,   // "ログファイルに書き込めません"
    MoreFailures = 384,    // "ほか %d 件"
    DensityAspect = 539,   // 539..541: "Aspect", "dot/inch", "dot/cm"
    ExifExposureJa = 2101,  // "露出="
    ExifMeteringJa = 2102,  // "測光="
    ExifOtherJa = 2103,     // "(その他)"
    ExifProgramsJa = 2200,  // 2200..2208: exposure programs
    ExifMeteringsJa = 2300, // 2300..2306: metering modes
    ExifExposureEn = 2501,  // "Exposure="
    ExifMeteringEn = 2502,  // "Metering="
    ExifOtherEn = 2503,     // "(Other)"
    ExifProgramsEn = 2600,  // 2600..2608
    ExifMeteringsEn = 2700, // 2700..2706
    AboutVersion = 3001,    // "バージョン %s"
    AboutLibraries = 3002,  // the About box's frame around the libraries
    AboutFreeware = 3003,   // the closing note
    AboutCredits = 3010,    // 3010..3013: libjpeg-turbo, libpng, zlib, Qt
};

// The id `offset` entries after the first id of a range.
constexpr StringId StringIdAt(StringId first, int offset) {
    return static_cast<StringId>(static_cast<int>(first) + offset);
}

// The text with the given id; empty when the table has none.
std::string LoadString(StringId id);
