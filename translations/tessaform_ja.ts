<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>Cli</name>
    <message>
        <source>Where to write: OUT.ssf for one skin, or a folder that gets OUT/&lt;name&gt;/&lt;name&gt;.ssf for each skin.</source>
        <translation>書き出し先: スキン 1 つなら OUT.ssf、フォルダならスキンごとに OUT/&lt;名前&gt;/&lt;名前&gt;.ssf を作ります。</translation>
    </message>
    <message>
        <source>Skins converted in parallel (default: the number of cores).</source>
        <translation>並行して変換するスキンの数 (既定: コア数)。</translation>
    </message>
    <message>
        <source>Leave the equalizer out (no _EQ images, no _EQ.ssf).</source>
        <translation>イコライザーを含めません (_EQ の画像も _EQ.ssf も作りません)。</translation>
    </message>
    <message>
        <source>Join the equalizer above the main window instead of below it.</source>
        <translation>イコライザーをメインの下ではなく上につなげます。</translation>
    </message>
    <message>
        <source>Playlist size in steps of 25 x 29 pixels over 275 x 116 (default 0,0).</source>
        <translation>プレイリストの大きさ。275 x 116 に足す 25 x 29 ピクセルの段数 (既定 0,0)。</translation>
    </message>
    <message>
        <source>Leave the time display out.</source>
        <translation>時間表示を含めません。</translation>
    </message>
    <message>
        <source>Leave the spectrum analyzer out.</source>
        <translation>アナライザーを含めません。</translation>
    </message>
    <message>
        <source>Leave the scrolling song title out.</source>
        <translation>スクロール文字列を含めません。</translation>
    </message>
    <message>
        <source>Leave the bit-rate and frequency texts out.</source>
        <translation>ビットレートと周波数の表示を含めません。</translation>
    </message>
    <message>
        <source>Leave the seek bar out.</source>
        <translation>シークバーを含めません。</translation>
    </message>
    <message>
        <source>preview: the state drawn, normal, pressed or inactive (default normal).</source>
        <translation>preview: 描く状態。normal、pressed、inactive のどれか (既定 normal)。</translation>
    </message>
    <message>
        <source>preview: draw the _EQ definition with the equalizer joined.</source>
        <translation>preview: イコライザーをつなげた _EQ の定義を描きます。</translation>
    </message>
    <message>
        <source>preview: whole-pixel magnification, 1 to 8 (default 1).</source>
        <translation>preview: 拡大率。1 から 8 の整数 (既定 1)。</translation>
    </message>
    <message>
        <source>The language of the messages, ja or en (default: the desktop&apos;s).</source>
        <translation>メッセージの言語。ja か en (既定: デスクトップの言語)。</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>バージョンを表示します。</translation>
    </message>
    <message>
        <source>Converts Winamp 2 classic skins (folders, .wsz or .zip) into Korvel skins.</source>
        <translation>Winamp 2 のクラシックスキン (フォルダ、.wsz、.zip) を Korvel のスキンに変換します。</translation>
    </message>
    <message>
        <source>convert, preview or check.</source>
        <translation>convert、preview、check のどれか。</translation>
    </message>
    <message>
        <source>convert: skin folders or .wsz/.zip archives; preview: one .ssf; check: .ssf files.</source>
        <translation>convert: スキンのフォルダか .wsz/.zip ファイル。preview: .ssf 1 つ。check: .ssf ファイル。</translation>
    </message>
    <message>
        <source>preview needs one .ssf and -o VIEW.png.</source>
        <translation>preview には .ssf 1 つと -o VIEW.png が要ります。</translation>
    </message>
    <message>
        <source>--state is normal, pressed or inactive.</source>
        <translation>--state は normal、pressed、inactive のどれかです。</translation>
    </message>
    <message>
        <source>--scale needs a whole number from 1 to 8.</source>
        <translation>--scale には 1 から 8 の整数が要ります。</translation>
    </message>
    <message>
        <source>check needs at least one .ssf.</source>
        <translation>check には .ssf が 1 つ以上要ります。</translation>
    </message>
    <message>
        <source>Usage: tessaform-cli convert SOURCE... -o OUT [options]
       tessaform-cli preview SKIN.ssf -o VIEW.png [--state STATE] [--eq] [--scale N]
       tessaform-cli check SKIN.ssf...
</source>
        <translation>使い方: tessaform-cli convert SOURCE... -o OUT [オプション]
        tessaform-cli preview SKIN.ssf -o VIEW.png [--state STATE] [--eq] [--scale N]
        tessaform-cli check SKIN.ssf...
</translation>
    </message>
    <message>
        <source>
Exit status: 0 when every skin converted (preview: written; check: nothing would break),
1 when any failed (check: something would break), 2 for wrong usage,
130, 143 or 129 when SIGINT, SIGTERM or SIGHUP stopped the batch.
</source>
        <translation>
終了ステータス: すべてのスキンを変換できたとき 0 (preview: 書き出せたとき、check: 問題がないとき)、
変換できないスキンがあったとき 1 (check: 問題があったとき)、使い方の誤りは 2、
SIGINT、SIGTERM、SIGHUP で止まったときは 130、143、129。
</translation>
    </message>
    <message>
        <source>--lang is ja or en.</source>
        <translation>--lang は ja か en です。</translation>
    </message>
    <message>
        <source>No command given; the commands are convert, preview and check.</source>
        <translation>コマンドがありません。コマンドは convert、preview、check です。</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot;; the commands are convert, preview and check.</source>
        <translation>&quot;%1&quot; というコマンドはありません。コマンドは convert、preview、check です。</translation>
    </message>
    <message>
        <source>No skin given to convert.</source>
        <translation>変換するスキンがありません。</translation>
    </message>
    <message>
        <source>No output given; use -o OUT.ssf or -o FOLDER.</source>
        <translation>書き出し先がありません。-o OUT.ssf か -o フォルダ を指定してください。</translation>
    </message>
    <message>
        <source>Several skins need an output folder, not a .ssf file.</source>
        <translation>スキンが複数のときの書き出し先は .ssf ファイルではなくフォルダです。</translation>
    </message>
    <message>
        <source>-j needs a number of jobs from 1 to 256.</source>
        <translation>-j には 1 から 256 の数が要ります。</translation>
    </message>
    <message>
        <source>--playlist-steps needs W,H with whole numbers from 0 to %1.</source>
        <translation>--playlist-steps には 0 から %1 の整数で W,H が要ります。</translation>
    </message>
    <message>
        <source>%1 has no _EQ definition beside it</source>
        <translation>%1 と同じフォルダに _EQ の定義がありません</translation>
    </message>
    <message>
        <source>preview    %1 -&gt; %2 (%3 x %4)
</source>
        <translation>プレビュー %1 -&gt; %2 (%3 x %4)
</translation>
    </message>
    <message>
        <source>tessaform-cli: %1 (see tessaform-cli --help)</source>
        <translation>tessaform-cli: %1 (tessaform-cli --help を参照)</translation>
    </message>
    <message>
        <source>signal %1</source>
        <translation>シグナル %1</translation>
    </message>
    <message>
        <source>converted  %1 -&gt; %2
</source>
        <translation>変換       %1 -&gt; %2
</translation>
    </message>
    <message>
        <source>FAILED     %1: %2
</source>
        <translation>失敗       %1: %2
</translation>
    </message>
    <message>
        <source>  warning  %1: %2
</source>
        <translation>  注意     %1: %2
</translation>
    </message>
    <message>
        <source>%1 of %2 skins converted</source>
        <translation>%2 個のスキンのうち %1 個を変換しました</translation>
    </message>
    <message>
        <source>, %1 failed</source>
        <translation>、%1 個は失敗</translation>
    </message>
    <message>
        <source>, %1 not started: stopped by %2</source>
        <translation>、%1 個は %2 で止めたため未処理</translation>
    </message>
    <message>
        <source>
A skin whose file name starts with &quot;-&quot; goes after &quot;--&quot;: every argument after
it is a file, except the options above and their values
(tessaform-cli convert -- -x.wsz -o OUT). Without &quot;--&quot;, an argument that
names an existing file or folder is a file unless it is one of the options.
</source>
        <translation>
名前が「-」で始まるスキンのファイルは「--」の後に書きます。その後の引数は、上のオプションと
その値を除いてすべてファイルです (tessaform-cli convert -- -x.wsz -o OUT)。「--」がなくても、
あるファイルかフォルダを指す引数は、オプションのどれかでない限りファイルです。
</translation>
    </message>
</context>
</TS>
