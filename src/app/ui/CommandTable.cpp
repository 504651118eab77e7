#include "app/ui/CommandTable.h"

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {ID_FILE_OPEN, "開く(&O)...", "Ctrl+O", "画像ファイルを開きます", "開く"},
        {ID_FILE_CLOSE, "閉じる(&C)", "Ctrl+F4", "現在の画像ファイルを閉じます", "閉じる"},
        {ID_RELOAD, "読み直し(&V)", "Ctrl+R", "画像を読み直します", "再読み込み"},
        {ID_FILE_SAVE_AS, "名前をつけて保存(&A)...", "Ctrl+Shift+S",
         "画像を別ファイル名または別フォーマットで保存します", "名前をつけて保存"},
        {ID_JPEG_CONVERT, "JPEG 変換(&J)", "Ctrl+J", "画像をJPEG/JFIFフォーマットに変換します",
         "JPEG変換"},
        {ID_FILE_MRU_FILE1, "最近開いたファイル", "", "このファイルを開きます", ""},
        {ID_SETTINGS, "詳細設定(&R)...", "", "詳細な動作オプションを設定します",
         "プログラム詳細設定"},
        {ID_APP_EXIT, "終了(&X)", "Alt+F4", "このプログラムを終了します", "終了"},
        {ID_EDIT_COPY, "コピー(&C)", "Ctrl+C, Ctrl+Ins", "現在の画像をクリップボードに転送します",
         "コピー"},
        {ID_EDIT_PASTE, "貼り付け(&P)", "Ctrl+V, Shift+Ins", "クリップボードの画像を開きます",
         "貼り付け"},
        {ID_EDIT_CLEAR_ALL, "クリップボードの消去(&L)", "",
         "クリップボード上の画像データを消去します", "クリップボードの消去"},
        {ID_COMMENT_TOGGLE, "コメント付加(&O)", "Alt+C",
         "画像ファイルに添付するコメントの有無を設定します", "コメント付加"},
        {ID_COMMENT_EDIT, "コメント編集(&E)...", "Alt+T",
         "画像ファイルに添付するコメントを編集します", "コメント編集"},
        {ID_RESIZE, "サイズ変更(&R)...", "Alt+R", "画像を拡大／縮小します", "サイズ変更"},
        {ID_GAMMA, "ガンマ/輝度補正(&G)...", "Ctrl+G", "ガンマ補正を行います", "ガンマ/輝度補正"},
        {ID_CUSTOM_DQT_TOGGLE, "カスタム DQT を使用(&T)", "Ctrl+T",
         "画質パラメータによらず、指定した DQT を用います", "カスタム DQT 使用"},
        {ID_CUSTOM_DQT_SETTINGS, "カスタム DQT 設定(&Q)...", "Ctrl+Q",
         "カスタム DQT の設定を行います", "カスタム DQT 設定"},
        {ID_YCBCR_SPLIT, "YCbCr分離(&Y)", "", "JPEG/JFIF標準色空間分離を行います", "YCbCr分離"},
        {ID_MARKER_EDIT_FILE, "JPEG マーカー編集(&M)...", "",
         "JPEG ファイルをマーカー編集モードで開きます", "ファイルマーカー編集"},
        {ID_BATCH_CONVERT, "JPEG/PNG 一括変換(J)...", "",
         "ファイルを一括して JPEG または PNG に変換します", "JPEG/PNG 一括変換"},
        {ID_BATCH_FILTER, "JPEG 一括フィルタ(&F)...", "",
         "JPEG ファイルを一括してフィルタ加工します", "JPEG 一括フィルタ"},
        {ID_VIEW_TOOLBAR, "ツールバー(&T)", "", "ツールバーの表示／非表示を切り替えます",
         "ツールバー表示切り替え"},
        {ID_VIEW_ZOOMBAR, "ズームバー(&Z)", "", "ズームバーの表示／非表示を切り替えます",
         "ズームバー表示切り替え"},
        {ID_VIEW_STATUS_BAR, "ステータスバー(&S)", "", "ステータスバーの表示／非表示を切り替えます",
         "ステータスバー表示切り替え"},
        {ID_VIEW_CONTROLBAR, "コントロールバー(&C)", "",
         "コントロールバーの表示／非表示を切り替えます", "コントロールバー表示切り替え"},
        {ID_ZOOM_UP, "拡大(&U)", "=, +", "表示倍率を上げます", "拡大"},
        {ID_ZOOM_DOWN, "縮小(&D)", "-", "表示倍率を下げます", "縮小"},
        {ID_ZOOM_ORIGINAL, "原寸表示(&N)", "Ctrl+Alt+0", "表示倍率を１：１に戻します", "原寸表示"},
        {ID_ZOOM_SYNC, "表示同期(&Y)", "Ctrl+Y", "表示倍率・表示位置を一致させます", "表示同期"},
        {ID_FIT_WINDOW, "サイズ合わせ(&F)", "Ctrl+F",
         "ウィンドウの大きさを画像に合わせて調整します", "サイズ合わせ"},
        {ID_ZOOM_SELECTION, "選択した範囲を拡大(&E)", "", "選択された範囲に合わせて拡大します",
         "選択範囲拡大"},
        {ID_MARKER_VIEW, "JPEG マーカー表示(&M)...", "Alt+M",
         "開いているJPEGファイルのマーカー情報を表示・編集します", "マーカー編集"},
        {ID_PNG_GAMMA, "PNG ガンマ表示(&G)...", "Alt+G", "開いているPNGファイルのガンマ値を表示します",
         "ガンマ値表示"},
        {ID_PNG_TRANSPARENT, "PNG 透過色(&N)...", "Alt+N",
         "開いているPNGファイルの透過色を表示します", "透過値表示"},
        {ID_EXIF_WINDOW, "Exif 情報表示(&X)...", "Alt+X",
         "Eixf 情報ウィンドウの表示・非表示を切り替えます", "Exif 情報表示"},
        {ID_WINDOW_CASCADE, "重ねて表示(&C)", "", "ウィンドウを重ねて表示します (見にくいだけ)",
         "重ねて表示"},
        {ID_WINDOW_TILE_HORZ, "横に並べて表示(&H)", "", "ウィンドウを横長に並べて表示します",
         "横に並べて表示"},
        {ID_WINDOW_TILE_VERT, "縦に並べて表示(&V)", "", "ウィンドウを縦長に並べて表示します",
         "縦に並べて表示"},
        {ID_WINDOW_ARRANGE, "アイコンの整列(&A)", "", "アイコンを整列します (意味なし)",
         "アイコンの整列"},
        {ID_CLOSE_ALL, "全て閉じる(&L)", "Ctrl+L", "全てのウィンドウを閉じます", "全て閉じる"},
        {ID_HELP_INDEX, "コンテンツ(&C)...", "F1", "ヘルプを表示します", "ヘルプ表示"},
        {ID_HELP_FINDER, "トピックの検索(&S)...", "", "トピック検索",
         "ヘルプをキーワードから検索します"},
        {ID_APP_ABOUT, "本プログラムについて(&A)...", "",
         "しょーもないもんですが、まぁお約束ということで (^_^;)", "本プログラムについて"},
        {ID_FOCUS_QUALITY, nullptr, "Alt+Q", "", ""},
        {ID_FOCUS_SAMPLING, nullptr, "Alt+S", "", ""},
        {ID_FOCUS_ENCODING, nullptr, "Alt+D", "", ""},
    };
    return commands;
}

const Command* FindCommand(int id) {
    for (const Command& command : Commands())
        if (command.id == id) return &command;
    return nullptr;
}

const std::vector<MenuLayout>& EmptyMenu() {
    static const std::vector<MenuLayout> menu = {
        {"ファイル(&F)", {ID_FILE_OPEN, ID_SEPARATOR, ID_FILE_MRU_FILE1, ID_SEPARATOR, ID_SETTINGS,
                          ID_SEPARATOR, ID_APP_EXIT}},
        {"編集(&E)", {ID_EDIT_PASTE, ID_EDIT_CLEAR_ALL}},
        {"特殊(&Z)", {ID_MARKER_EDIT_FILE, ID_BATCH_CONVERT, ID_BATCH_FILTER}},
        {"表示(&V)", {ID_VIEW_TOOLBAR, ID_VIEW_ZOOMBAR, ID_VIEW_STATUS_BAR, ID_VIEW_CONTROLBAR}},
        {"ﾍﾙﾌﾟ(&H)", {ID_HELP_INDEX, ID_HELP_FINDER, ID_SEPARATOR, ID_APP_ABOUT}},
    };
    return menu;
}

const char* EmptyMenuCaption(int id) {
    if (id == ID_SETTINGS) return "環境設定(&R)";
    const Command* command = FindCommand(id);
    return command ? command->caption : "";
}
