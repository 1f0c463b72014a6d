<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Archive</name>
    <message>
        <source>アーカイブを展開できません: %1 (%2)</source>
        <translation>Cannot extract the archive: %1 (%2)</translation>
    </message>
    <message>
        <source>読めない名前</source>
        <translation>unreadable name</translation>
    </message>
    <message>
        <source>絶対パス</source>
        <translation>absolute path</translation>
    </message>
    <message>
        <source>「..」を含むパス</source>
        <translation>path with &quot;..&quot;</translation>
    </message>
    <message>
        <source>長すぎる名前</source>
        <translation>name too long</translation>
    </message>
    <message>
        <source>リンク</source>
        <translation>link</translation>
    </message>
    <message>
        <source>特殊ファイル</source>
        <translation>special file</translation>
    </message>
    <message>
        <source>途中のフォルダがリンク</source>
        <translation>a folder on the way is a link</translation>
    </message>
    <message>
        <source>同じ名前のファイルかフォルダが先にあります</source>
        <translation>an earlier file or folder has that name</translation>
    </message>
    <message>
        <source>書き込めません: %1</source>
        <translation>cannot write: %1</translation>
    </message>
    <message>
        <source>ほか %1 個</source>
        <translation>%1 more</translation>
    </message>
    <message>
        <source>書庫 %1 の次のファイルは展開しませんでした: %2</source>
        <translation>These files of archive %1 were not extracted: %2</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>書庫 %1 は上限の %2 MB より大きいため、展開しませんでした。</source>
        <translation>Archive %1 is larger than %2 MB, the limit; it was not extracted.</translation>
    </message>
    <message>
        <source>書庫 %1 のファイル数が上限の %2 個を超えているため、展開しませんでした。</source>
        <translation>Archive %1 holds more than %2 files, the limit; it was not extracted.</translation>
    </message>
    <message>
        <source>書庫 %1 のファイル数が上限の %2 個を超えているため、%2 個目までを展開して打ち切りました。</source>
        <translation>Archive %1 holds more than %2 files, the limit; extraction stopped after file %2.</translation>
    </message>
    <message>
        <source>書庫 %1 の %2 は展開すると上限の %3 MB を超えるため、そこで展開を打ち切りました。</source>
        <translation>%2 in archive %1 would be larger than %3 MB, the limit; extraction stopped there.</translation>
    </message>
    <message>
        <source>書庫 %1 は展開すると合計で上限の %2 MB を超えるため、%3 で展開を打ち切りました。</source>
        <translation>Archive %1 would be larger than %2 MB in all, the limit; extraction stopped at %3.</translation>
    </message>
</context>
<context>
    <name>Check</name>
    <message>
        <source>矩形 (4 つの整数)</source>
        <translation>a rectangle (4 integers)</translation>
    </message>
    <message>
        <source>色 (0 から 255 の 3 つの整数)</source>
        <translation>a colour (3 integers from 0 to 255)</translation>
    </message>
    <message>
        <source>0 か 1</source>
        <translation>0 or 1</translation>
    </message>
    <message>
        <source>整数</source>
        <translation>an integer</translation>
    </message>
    <message>
        <source>2 つの整数</source>
        <translation>2 integers</translation>
    </message>
    <message>
        <source>%1 の値 &quot;%2&quot; は%3ではありません</source>
        <translation>The value &quot;%2&quot; of %1 is not %3</translation>
    </message>
    <message>
        <source>%1 の行がありません</source>
        <translation>There is no %1 line</translation>
    </message>
    <message>
        <source>%1 の %2 がありません</source>
        <translation>%2 of %1 is missing</translation>
    </message>
    <message>
        <source>%1 の %2 を読めません</source>
        <translation>Cannot read %2 of %1</translation>
    </message>
    <message>
        <source>%1 の %2 を読めません: %3</source>
        <translation>Cannot read %2 of %1: %3</translation>
    </message>
    <message>
        <source>%1 は %2 ですが、%3 %4 %5 の %6 コマなら %7 です</source>
        <translation>%1 is %2, but %6 frames of %3 %4 %5 make %7</translation>
    </message>
    <message>
        <source>%1 は %2 ですが、%3 の %4 と同じ大きさでなければなりません</source>
        <translation>%1 is %2, but it must be the size of %3, %4</translation>
    </message>
    <message>
        <source>%1 %2 %3 %4 %5 が %6 (%7) の外にはみ出しています</source>
        <translation>%1 %2 %3 %4 %5 reaches outside %6 (%7)</translation>
    </message>
    <message>
        <source>%1 の矩形 &quot;%2&quot; は空です</source>
        <translation>The rectangle &quot;%2&quot; of %1 is empty</translation>
    </message>
    <message>
        <source>%1 はありません。プレーヤーの小さい表示のスキンで、変換では書き出しません</source>
        <translation>%1 is missing. It is the player&apos;s small view skin, which the converter does not write</translation>
    </message>
    <message>
        <source>%1 の切り替え先 &quot;%2&quot; に当たる %3 の行がありません</source>
        <translation>No %3 line matches &quot;%2&quot;, the skin %1 switches to</translation>
    </message>
    <message>
        <source>: 注意</source>
        <translation>: note</translation>
    </message>
    <message>
        <source>%1 %2 は大きすぎます。描ける大きさは %3 ポイントまでです</source>
        <translation>%1 %2 is too large; sizes up to %3 points are drawn</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>ファイルまたはフォルダがありません</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>アクセスが拒否されました</source>
        <translation>Access denied</translation>
    </message>
    <message>
        <source>この操作は許可されていません</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>フォルダです</source>
        <translation>It is a folder</translation>
    </message>
    <message>
        <source>フォルダではありません</source>
        <translation>Not a folder</translation>
    </message>
    <message>
        <source>ディスクの空き領域が足りません</source>
        <translation>Not enough disk space</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>既に存在します</source>
        <translation>Already exists</translation>
    </message>
    <message>
        <source>入出力エラーが発生しました</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>使用中です</source>
        <translation>In use</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は整数ではありません</source>
        <translation>&apos;%1&apos; is not an integer</translation>
    </message>
    <message>
        <source>リストのインデックスが範囲を超えています (%1)</source>
        <translation>List index out of range (%1)</translation>
    </message>
    <message>
        <source>ファイル %1 を開けません。%2</source>
        <translation>Cannot open file %1. %2</translation>
    </message>
    <message>
        <source>%1 (%2 行目): %3</source>
        <translation>%1 (line %2): %3</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot;. %2 を作成できません</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます (%1 バイト、%2 バイトまで)</source>
        <translation>File too large (%1 bytes, at most %2)</translation>
    </message>
    <message>
        <source>フォルダ &quot;%1&quot; の別の保存%2を待つ間に中断されました</source>
        <translation>Interrupted while waiting for another save into the folder &quot;%1&quot;%2</translation>
    </message>
    <message>
        <source>フォルダ &quot;%1&quot; は別の保存%2が使用中です</source>
        <translation>The folder &quot;%1&quot; is in use by another save%2</translation>
    </message>
    <message>
        <source>フォルダ &quot;%1&quot; の別の保存%2が終わるのを待っています</source>
        <translation>Waiting for another save into the folder &quot;%1&quot;%2 to finish</translation>
    </message>
    <message>
        <source> (プロセス %1)</source>
        <translation> (process %1)</translation>
    </message>
    <message>
        <source>中断された保存の記録 &quot;%1&quot; で保存を完了できません。%2</source>
        <translation>Cannot complete the interrupted save recorded in &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>記録の形式が違います</source>
        <translation>The record has the wrong form</translation>
    </message>
    <message>
        <source>%1 行目が一時ファイルの名前ではありません</source>
        <translation>Line %1 is not the name of a temporary file</translation>
    </message>
</context>
<context>
    <name>Gallery</name>
    <message>
        <source>変換済み: %1 → %2</source>
        <translation>converted: %1 → %2</translation>
    </message>
    <message>
        <source>変換済み (警告 %3 件): %1 → %2</source>
        <translation>converted (%3 warnings): %1 → %2</translation>
    </message>
    <message>
        <source>失敗: %1 (%2): %3</source>
        <translation>FAILED: %1 (%2): %3</translation>
    </message>
    <message>
        <source>取り消したため変換していません: %1 (%2)</source>
        <translation>not converted (cancelled): %1 (%2)</translation>
    </message>
    <message>
        <source> (同じ名前のスキンが他にもあるため「%1」として)</source>
        <translation> (as &quot;%1&quot;: another skin of the selection has the same name)</translation>
    </message>
    <message>
        <source>    警告: %1</source>
        <translation>    warning: %1</translation>
    </message>
    <message>
        <source>%1 個のうち %2 個を変換しました (うち警告あり %3 個)。失敗 %4 個</source>
        <translation>Converted %2 of %1 skins (%3 with warnings). Failed: %4</translation>
    </message>
    <message>
        <source>、取り消しにより未変換 %1 個</source>
        <translation>; not converted because of the cancel: %1</translation>
    </message>
    <message>
        <source>main.bmp がありません</source>
        <translation>no main.bmp</translation>
    </message>
    <message>
        <source>アーカイブを読めません (%1)</source>
        <translation>cannot read the archive (%1)</translation>
    </message>
</context>
<context>
    <name>Images</name>
    <message>
        <source>画像の大きさ %1 x %2 は扱えません</source>
        <translation>Cannot handle an image of %1 x %2</translation>
    </message>
    <message>
        <source>%1が途中で切れています: %2 バイト目から %3 バイト要りますが、ファイルは %4 バイトです</source>
        <translation>The %1 is cut short: it needs %3 bytes from byte %2, but the file has %4 bytes</translation>
    </message>
    <message>
        <source>%1 は読み込めないビットマップです (%2)</source>
        <translation>%1 is not a readable bitmap (%2)</translation>
    </message>
    <message>
        <source>情報ヘッダー</source>
        <translation>info header</translation>
    </message>
    <message>
        <source>情報ヘッダーの大きさ %1 バイトには対応していません</source>
        <translation>An info header of %1 bytes is not supported</translation>
    </message>
    <message>
        <source>幅 %1 は正しくありません</source>
        <translation>The width %1 is not valid</translation>
    </message>
    <message>
        <source>高さが 0 です</source>
        <translation>The height is 0</translation>
    </message>
    <message>
        <source>%1 x %2 ピクセルは大きすぎます (一辺 %3、合わせて %4 ピクセルまで)</source>
        <translation>%1 x %2 pixels is too large (at most %3 a side and %4 pixels in all)</translation>
    </message>
    <message>
        <source>プレーン数が 0 です</source>
        <translation>The number of planes is 0</translation>
    </message>
    <message>
        <source>1 ピクセル %1 ビットのビットマップには対応していません</source>
        <translation>Bitmaps with %1 bits a pixel are not supported</translation>
    </message>
    <message>
        <source>圧縮方式 %1 には対応していません</source>
        <translation>Compression %1 is not supported</translation>
    </message>
    <message>
        <source>圧縮方式 %1 は %2 ビットのビットマップには使えません</source>
        <translation>Compression %1 cannot be used with %2-bit bitmaps</translation>
    </message>
    <message>
        <source>圧縮されたビットマップの高さ %1 が負です</source>
        <translation>The height %1 of a compressed bitmap is negative</translation>
    </message>
    <message>
        <source>カラーマスク</source>
        <translation>colour mask</translation>
    </message>
    <message>
        <source>カラーパレット</source>
        <translation>colour palette</translation>
    </message>
    <message>
        <source>ピクセルデータの位置 %1 がファイルの外にあります (ファイルは %2 バイトです)</source>
        <translation>The pixel data at %1 lies outside the file (the file has %2 bytes)</translation>
    </message>
    <message>
        <source>ファイルヘッダー</source>
        <translation>file header</translation>
    </message>
    <message>
        <source>先頭が BM ではありません</source>
        <translation>The file does not start with BM</translation>
    </message>
    <message>
        <source>ピクセルデータ</source>
        <translation>pixel data</translation>
    </message>
    <message>
        <source>ランレングス圧縮のデータ</source>
        <translation>run-length data</translation>
    </message>
    <message>
        <source>%1 x %2 ピクセルの画像を作るメモリがありません</source>
        <translation>Not enough memory for an image of %1 x %2 pixels</translation>
    </message>
    <message>
        <source>画像の形式を認識できません</source>
        <translation>Unknown image format</translation>
    </message>
    <message>
        <source>%1 画像として読めません</source>
        <translation>Cannot read it as a %1 image</translation>
    </message>
    <message>
        <source>ファイルが空です</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>BMP ファイルを作れません (%1)</source>
        <translation>Cannot make the BMP file (%1)</translation>
    </message>
</context>
<context>
    <name>KorvelView</name>
    <message>
        <source>%1 %2 が見つかりません</source>
        <translation>%1 %2 not found</translation>
    </message>
    <message>
        <source>%1%2: %3 %4 は大きすぎます。%5 で描きます</source>
        <translation>%1%2: %3 %4 is too large; drawn at %5</translation>
    </message>
    <message>
        <source>表示は %1 x %2 になり、大きすぎます (%3 画素まで)</source>
        <translation>The view would be %1 x %2, too large (at most %3 pixels)</translation>
    </message>
    <message>
        <source>表示には %1 画素の画像が要り、大きすぎます (%2 画素まで)</source>
        <translation>The view would hold images of %1 pixels, too many (at most %2)</translation>
    </message>
</context>
<context>
    <name>Save</name>
    <message>
        <source>保存する名前 &quot;%1&quot; に制御文字があります</source>
        <translation>The name &quot;%1&quot; has control characters</translation>
    </message>
    <message>
        <source>保存する名前 &quot;%1&quot; は Shift-JIS で書けない文字を含みます</source>
        <translation>The name &quot;%1&quot; has characters that Shift-JIS cannot hold</translation>
    </message>
    <message>
        <source>ファイル名 &quot;%1&quot; が長すぎます (%2 バイトまで)</source>
        <translation>The file name &quot;%1&quot; is too long (at most %2 bytes)</translation>
    </message>
    <message>
        <source>保存先 &quot;%1&quot; はスキンのフォルダ &quot;%2&quot; の中です。別のフォルダを選んでください</source>
        <translation>&quot;%1&quot; is inside the skin folder &quot;%2&quot;. Choose another folder</translation>
    </message>
    <message>
        <source>フォルダ &quot;%1&quot; の別のスキンの定義ファイル %2 は同じ名前の画像を使っています。保存すると、その定義ファイルはこのスキンの画像を表示します</source>
        <translation>The definition file %2 of another skin in the folder &quot;%1&quot; uses images of the same names. After this save it shows the images of this skin</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>イコライザー</source>
        <translation>equalizer</translation>
    </message>
    <message>
        <source>プレイリスト</source>
        <translation>playlist</translation>
    </message>
    <message>
        <source>時間の数字</source>
        <translation>time digits</translation>
    </message>
    <message>
        <source>ボタン</source>
        <translation>buttons</translation>
    </message>
    <message>
        <source>タイトルバー</source>
        <translation>title bar</translation>
    </message>
    <message>
        <source>シャッフル・リピート</source>
        <translation>shuffle and repeat</translation>
    </message>
    <message>
        <source>モノラル・ステレオ</source>
        <translation>mono and stereo</translation>
    </message>
    <message>
        <source>シークバー</source>
        <translation>seek bar</translation>
    </message>
    <message>
        <source>文字の色</source>
        <translation>text colours</translation>
    </message>
    <message>
        <source>アナライザーの色</source>
        <translation>analyzer colours</translation>
    </message>
    <message>
        <source>前のスキンのままの部分: </source>
        <translation>Parts kept from the previous skin: </translation>
    </message>
    <message>
        <source>フォルダ %1 を作成できません。%2</source>
        <translation>Cannot create folder %1. %2</translation>
    </message>
    <message>
        <source>Main.bmpがありません。Winampのスキンでない可能性があります</source>
        <translation>There is no Main.bmp. This may not be a Winamp skin</translation>
    </message>
    <message>
        <source> の </source>
        <translation>/</translation>
    </message>
    <message>
        <source>%1 は通常のファイルではないため読み込めません</source>
        <translation>%1 is not a regular file, so it cannot be read</translation>
    </message>
    <message>
        <source>通常のファイルではないため使いませんでした: %1</source>
        <translation>Not used, as they are not regular files: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 はスキンのフォルダでも .wsz / .zip ファイルでもありません</source>
        <translation>%1 is neither a skin folder nor a .wsz / .zip file</translation>
    </message>
    <message>
        <source>%1 を開けません (%2)</source>
        <translation>Cannot open %1 (%2)</translation>
    </message>
    <message>
        <source>アナライザーのピークの色</source>
        <translation>analyzer peak colour</translation>
    </message>
    <message>
        <source>作業フォルダを作成できません: %1</source>
        <translation>Cannot create the working folder: %1</translation>
    </message>
</context>
<context>
    <name>Skin</name>
    <message>
        <source>注意</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>&quot;%1&quot;がありませんので正しく処理ができません</source>
        <translation>&quot;%1&quot; is missing, so the skin cannot be converted correctly</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Rectの値が0より小さくなりました。デフォルトの値を使用します。</source>
        <translation>A Rect value fell below 0. The default value is used.</translation>
    </message>
    <message>
        <source>%1: %2 の値 &apos;%3&apos; は色として読めないため、黒にしました</source>
        <translation>%1: the value &apos;%3&apos; of %2 is not a colour, so black is used</translation>
    </message>
    <message>
        <source>%1 の %2=%3 は大きすぎます。%4 にします</source>
        <translation>%2=%3 in %1 is too large; %4 is used</translation>
    </message>
    <message>
        <source>%1 を使えないため、%2: %3</source>
        <translation>%1 cannot be used, so %2: %3</translation>
    </message>
    <message>
        <source>%1 がないため、%2</source>
        <translation>There is no %1, so %2</translation>
    </message>
    <message>
        <source>このファイルなしで読み込みました</source>
        <translation>the skin was loaded without it</translation>
    </message>
    <message>
        <source>プレイリストは同梱のスキンの画像で作りました</source>
        <translation>the playlist uses the images of the bundled skin</translation>
    </message>
    <message>
        <source>アナライザーの色は Winamp の標準の色にしました</source>
        <translation>the analyzer takes the standard colours of Winamp</translation>
    </message>
    <message>
        <source>時間の数字は同梱のスキンの画像で作りました</source>
        <translation>the time digits use the images of the bundled skin</translation>
    </message>
    <message>
        <source>%1 と %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>%1 の値では曲名の欄 (%2) がウィンドウからはみ出すため、ウィンドウの中に収めました</source>
        <translation>With the values of %1 the song title field (%2) reaches outside the window, so it was cut to the window</translation>
    </message>
    <message>
        <source>%1 の値では曲名の欄 (%2) が空になるため、元の位置にしました</source>
        <translation>With the values of %1 the song title field (%2) is empty, so it keeps its usual place</translation>
    </message>
    <message>
        <source>シークバーは同梱のスキンの画像で作りました</source>
        <translation>the seek bar uses the images of the bundled skin</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>--lang は ja か en です。&quot;%1&quot; は使えません</source>
        <translation>--lang is ja or en, not &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>tf::BatchProgressDialog</name>
    <message>
        <source>変換済み</source>
        <translation>Converted</translation>
    </message>
    <message numerus="yes">
        <source>変換済み (警告 %n 件)</source>
        <translation>
            <numerusform>Converted (%n warning)</numerusform>
            <numerusform>Converted (%n warnings)</numerusform>
        </translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>未変換 (中止)</source>
        <translation>Not converted (cancelled)</translation>
    </message>
    <message>
        <source>一括変換</source>
        <translation>Batch conversion</translation>
    </message>
    <message>
        <source>スキン</source>
        <translation>Skin</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>書き出し先 / 理由</source>
        <translation>Written to / reason</translation>
    </message>
    <message>
        <source>ダブルクリックで変換したスキンを Korvel の表示で見られます</source>
        <translation>Double-click a converted skin to see its Korvel view</translation>
    </message>
    <message>
        <source>一覧をテキストで保存…</source>
        <translation>Save list as text…</translation>
    </message>
    <message>
        <source>出力先フォルダを開く</source>
        <translation>Open output folder</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1 個のうち %2 個を変換しました</source>
        <translation>%2 of %1 skins converted</translation>
    </message>
    <message>
        <source>。中止しています: 変換中のスキンは最後まで書き出します</source>
        <translation>. Cancelling: the skins being converted are written to the end</translation>
    </message>
    <message>
        <source>変換中: %1</source>
        <translation>Converting: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source> (同じ名前のスキンが他にもあるため「%1」として)</source>
        <translation> (as &quot;%1&quot;: another skin of the selection has the same name)</translation>
    </message>
    <message>
        <source>テキスト (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>一覧を %1 に保存できませんでした (%2)</source>
        <translation>Could not save the list to %1 (%2)</translation>
    </message>
    <message>
        <source>一覧を %1 に保存しました</source>
        <translation>List saved to %1</translation>
    </message>
</context>
<context>
    <name>tf::BatchSettingsDialog</name>
    <message>
        <source>選択したスキンを一括変換</source>
        <translation>Convert selected skins</translation>
    </message>
    <message numerus="yes">
        <source>%n 個のスキンを変換します。それぞれ出力先の「名前\名前.ssf」に書き出します。</source>
        <translation>
            <numerusform>%n skin will be converted, into &quot;name
ame.ssf&quot; in the output folder.</numerusform>
            <numerusform>%n skins will be converted, each into &quot;name
ame.ssf&quot; in the output folder.</numerusform>
        </translation>
    </message>
    <message>
        <source>参照…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>出力先フォルダ</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>(%1 × %2 ピクセルずつ大きく)</source>
        <translation>(larger by %1 × %2 pixels a step)</translation>
    </message>
    <message>
        <source>プレイリストの大きさ</source>
        <translation>Playlist size</translation>
    </message>
    <message>
        <source>イコライザー</source>
        <translation>Equalizer</translation>
    </message>
    <message>
        <source>EQを表示する</source>
        <translation>Show EQ</translation>
    </message>
    <message>
        <source>EQを上にする</source>
        <translation>EQ on top</translation>
    </message>
    <message>
        <source>表示する部分</source>
        <translation>Parts shown</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>アナライザー</source>
        <translation>Analyzer</translation>
    </message>
    <message>
        <source>スクロール文字列</source>
        <translation>Song title</translation>
    </message>
    <message>
        <source>周波数･ビットレート</source>
        <translation>kHz / kbps</translation>
    </message>
    <message>
        <source>シークバー</source>
        <translation>Seek bar</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>出力先フォルダを選んでください</source>
        <translation>Choose the output folder</translation>
    </message>
</context>
<context>
    <name>tf::FontPicker</name>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>フォント名</source>
        <translation>Font name</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>表示には %1 を使います</source>
        <translation>Shown with %1</translation>
    </message>
    <message>
        <source>%1 は Windows にないフォントです。Korvel で見つからないことがあります</source>
        <translation>%1 is not a Windows font. Korvel may not find it</translation>
    </message>
</context>
<context>
    <name>tf::FontSizeBox</name>
    <message>
        <source>%1 から %2 ポイントまで</source>
        <translation>%1 to %2 points</translation>
    </message>
</context>
<context>
    <name>tf::GalleryPage</name>
    <message>
        <source>スキンなし</source>
        <translation>No skin</translation>
    </message>
    <message>
        <source>読めません</source>
        <translation>Unreadable</translation>
    </message>
    <message>
        <source>名前で絞り込み</source>
        <translation>Filter by name</translation>
    </message>
    <message>
        <source>絵の大きさ</source>
        <translation>Picture size</translation>
    </message>
    <message>
        <source>選択したスキンを一括変換…</source>
        <translation>Convert selected skins…</translation>
    </message>
    <message numerus="yes">
        <source>%n 個のスキン</source>
        <translation>
            <numerusform>%n skin</numerusform>
            <numerusform>%n skins</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 / %2 個のスキン</source>
        <translation>%1 / %2 skins</translation>
    </message>
    <message numerus="yes">
        <source>、%n 個を選択</source>
        <translation>
            <numerusform>, %n selected</numerusform>
            <numerusform>, %n selected</numerusform>
        </translation>
    </message>
    <message>
        <source>フォルダを読んでいます…</source>
        <translation>Reading the folder…</translation>
    </message>
    <message>
        <source>左のツリーでスキンの入ったフォルダを選んでください</source>
        <translation>Choose a folder of skins in the tree on the left</translation>
    </message>
    <message>
        <source>このフォルダにはスキン (main.bmp のあるフォルダや .wsz / .zip) がありません</source>
        <translation>This folder holds no skins (folders with a main.bmp, .wsz or .zip files)</translation>
    </message>
    <message>
        <source>「%1」を名前に含むスキンはありません</source>
        <translation>No skin has &quot;%1&quot; in its name</translation>
    </message>
</context>
<context>
    <name>tf::KorvelViewDialog</name>
    <message>
        <source>%1 - Korvel表示</source>
        <translation>%1 - Korvel view</translation>
    </message>
</context>
<context>
    <name>tf::TForm1</name>
    <message>
        <source>変換するスキンのフォルダを指定してください</source>
        <translation>Choose the folder of the skin to convert</translation>
    </message>
    <message>
        <source>wszファイルを選んでください</source>
        <translation>Choose a .wsz file</translation>
    </message>
    <message>
        <source>スキンのフォルダではありません (main.bmp がありません)</source>
        <translation>Not a skin folder (there is no main.bmp)</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Winanp Skin Zipファイル(*.wsz)</source>
        <translation>Winamp skin files (*.wsz)</translation>
    </message>
    <message>
        <source>Zipファイル(*.zip)</source>
        <translation>Zip files (*.zip)</translation>
    </message>
    <message>
        <source>全てのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>次の部分は前のスキンのままです。このまま保存しますか?

</source>
        <translation>These parts are still those of the previous skin. Save anyway?

</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>WSZを開く(&amp;W)</source>
        <translation>Open &amp;WSZ</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>終了(&amp;T)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>About(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>KorvelにはEQ用のウィンドウはないので、画像だけつなげます</source>
        <translation>Korvel has no equalizer window, so only the images are joined</translation>
    </message>
    <message>
        <source>EQを表示する</source>
        <translation>Show EQ</translation>
    </message>
    <message>
        <source>EQを上にする</source>
        <translation>EQ on top</translation>
    </message>
    <message>
        <source>EQをメインの上につなげます</source>
        <translation>Joins the EQ above the main window</translation>
    </message>
    <message>
        <source>Korvel表示</source>
        <translation>Korvel view</translation>
    </message>
    <message>
        <source>左のツリーでスキンを選ぶか、フォルダや .wsz をここにドロップしてください</source>
        <translation>Choose a skin in the tree on the left, or drop a folder or .wsz here</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>文字色</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>影色</source>
        <translation>Shadow</translation>
    </message>
    <message>
        <source>スクロール文字列</source>
        <translation>Song title</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>影</source>
        <translation>Shadow</translation>
    </message>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>周波数･ビットレート</source>
        <translation>kHz / kbps</translation>
    </message>
    <message>
        <source>アナライザー</source>
        <translation>Analyzer</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>Ocillo</source>
        <translation>Scope</translation>
    </message>
    <message>
        <source>シークバー</source>
        <translation>Seek bar</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Korvelスキンではの0～9:/ｽﾍﾟｰｽの順で並んでいる必要があります</source>
        <translation>A Korvel skin needs the digits in the order 0-9, :, / and space</translation>
    </message>
    <message>
        <source>透過</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>時間表示を左上の座標を透過色として透過します。Korvelの透過色はRGB(0,0,0)です。</source>
        <translation>Transparent: the colour of the top left pixel of the time display becomes transparent. Korvel&apos;s transparent colour is RGB(0,0,0).</translation>
    </message>
    <message>
        <source>プレイリスト</source>
        <translation>Playlist</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>再生中文字色</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>選択時背景色</source>
        <translation>Selected</translation>
    </message>
    <message>
        <source>表示</source>
        <comment>time, a narrow box</comment>
        <translation>Show</translation>
    </message>
    <message>
        <source>Korvel スキン (*.ssf)</source>
        <translation>Korvel skins (*.ssf)</translation>
    </message>
    <message>
        <source>スキンを %1 に保存できませんでした (%2)。</source>
        <translation>Could not save the skin as %1 (%2).</translation>
    </message>
    <message>
        <source>スキンを %1 に保存できませんでした。%2</source>
        <translation>Could not save the skin as %1. %2</translation>
    </message>
    <message>
        <source>スキンを %1 に保存しました</source>
        <translation>Saved the skin as %1</translation>
    </message>
    <message>
        <source>フォルダ %1 を作成し、スキンを %2 に保存しました</source>
        <translation>Created the folder %1 and saved the skin as %2</translation>
    </message>
    <message>
        <source>%1 を読み込みました</source>
        <translation>Loaded %1</translation>
    </message>
    <message>
        <source>0 から %1 まで</source>
        <translation>0 to %1</translation>
    </message>
    <message>
        <source>プレイリストの幅: %1 ピクセルずつ増えます</source>
        <translation>Playlist width, in steps of %1 pixels</translation>
    </message>
    <message>
        <source>プレイリストの高さ: %1 ピクセルずつ増えます</source>
        <translation>Playlist height, in steps of %1 pixels</translation>
    </message>
    <message>
        <source>既定の大きさ</source>
        <translation>Default size</translation>
    </message>
    <message>
        <source>プレイリストを最小の大きさ (275 × 116) に戻します</source>
        <translation>Back to the smallest playlist (275 × 116)</translation>
    </message>
    <message>
        <source>

このまま保存しますか?</source>
        <translation>

Save anyway?</translation>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>読み込んだスキンのプレビューと設定 (Ctrl+1)</source>
        <translation>The loaded skin's preview and settings (Ctrl+1)</translation>
    </message>
    <message>
        <source>ギャラリー</source>
        <translation>Gallery</translation>
    </message>
    <message>
        <source>ツリーで選んだフォルダのスキンを一覧します (Ctrl+2)</source>
        <translation>All skins of the folder chosen in the tree (Ctrl+2)</translation>
    </message>
    <message>
        <source>一括変換中 %1 / %2</source>
        <translation>Batch converting %1 / %2</translation>
    </message>
    <message>
        <source>一括変換の結果</source>
        <translation>Batch conversion results</translation>
    </message>
    <message>
        <source>選択したスキンを一括変換…</source>
        <translation>Convert selected skins…</translation>
    </message>
    <message>
        <source>一括変換の経過と結果を表示します</source>
        <translation>Shows the batch conversion's progress and results</translation>
    </message>
</context>
<context>
    <name>tf::TForm2</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>フリーソフトウェアです。</source>
        <translation>This is free software.</translation>
    </message>
    <message>
        <source>MIT ライセンスです。使っているライブラリとそのライセンス:</source>
        <translation>MIT licence. Libraries used and their licences:</translation>
    </message>
    <message>
        <source>ライセンスの全文: &lt;a href=&quot;%1&quot;&gt;%2&lt;/a&gt;</source>
        <translation>The full licence texts: &lt;a href=&quot;%1&quot;&gt;%2&lt;/a&gt;</translation>
    </message>
</context>
</TS>
