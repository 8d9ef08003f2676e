<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>CMainFrame</name>
    <message>
        <source>KANA</source>
        <translation>かな</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
</context>
<context>
    <name>CliHelp</name>
    <message>
        <source>Usage:</source>
        <translation>使い方:</translation>
    </message>
    <message>
        <source>Write a flat card, N card columns wide (default 16) and N cells high (default 8).</source>
        <translation>平らなカードを書き出します。幅 N 列（既定 16）、高さ N マス（既定 8）。</translation>
    </message>
    <message>
        <source>Read IN, apply the keys in order as the 3D view does, write OUT.</source>
        <translation>IN を読み、3D ビューと同じようにキーを順に適用して OUT に書き出します。</translation>
    </message>
    <message>
        <source>Print the card&apos;s size, its faces, a summary of its shape and whether it</source>
        <translation>カードの大きさ、面の数、形の概要と、</translation>
    </message>
    <message>
        <source>closes inside its cover.</source>
        <translation>表紙の内側に収まって閉じるかどうかを表示します。</translation>
    </message>
    <message>
        <source>A free-form card (.pwf): its flats, whether it is paper, whether it closes inside.</source>
        <translation>自由形のカード (.pwf) では、フラットの一覧、紙として成り立つかどうか、内側に収まって閉じるかどうかを表示します。</translation>
    </message>
    <message>
        <source>Write the grid card as a free-form card with the same pattern and faces.</source>
        <translation>グリッドのカードを、同じ型紙と面を持つ自由形のカードとして書き出します。</translation>
    </message>
    <message>
        <source>Write the unfolded pattern or the relief to an image, vector or DXF file.</source>
        <translation>展開図または立体を、画像・ベクター・DXF ファイルに書き出します。</translation>
    </message>
    <message>
        <source>EXT:%1</source>
        <translation>拡張子:%1</translation>
    </message>
    <message>
        <source>--bmp-width P      bitmap width in pixels (%1 - %2, default %3)</source>
        <translation>--bmp-width P      ビットマップの幅（ピクセル、%1 - %2、既定 %3）</translation>
    </message>
    <message>
        <source>--ratio R          print size, percent of the A4 width (%1 - %2, default %3)</source>
        <translation>--ratio R          印刷サイズ、A4 の幅に対するパーセント（%1 - %2、既定 %3）</translation>
    </message>
    <message>
        <source>--invert           mirror the pattern left to right</source>
        <translation>--invert           展開図を左右反転する</translation>
    </message>
    <message>
        <source>%1 only:</source>
        <translation>%1 のみ:</translation>
    </message>
    <message>
        <source>--cell-mm C        cell size in mm (%1 - %2; 0 = from --ratio)</source>
        <translation>--cell-mm C        マスの大きさ（mm、%1 - %2。0 = --ratio から）</translation>
    </message>
    <message>
        <source>--cut-order O      inner-first (default: folds, inner cuts, outline last) or as-drawn</source>
        <translation>--cut-order O      inner-first（既定: 折り線、内側の切り込み、最後に外形）または as-drawn</translation>
    </message>
    <message>
        <source>--perforate        folds as real dashes: --dash MM (default %1) --gap MM (default %2)</source>
        <translation>--perforate        折り線を実際の破線（ミシン目）にする: --dash MM（既定 %1）--gap MM（既定 %2）</translation>
    </message>
    <message>
        <source>--hairline         strokes of 0.001 in, for laser print drivers</source>
        <translation>--hairline         0.001 インチの極細線、レーザー加工機のドライバー向け</translation>
    </message>
    <message>
        <source>--legend           a key of the line kinds and the card&apos;s size</source>
        <translation>--legend           線の種類とカードの大きさの凡例</translation>
    </message>
    <message>
        <source>--page NAME        a4 (default), a5, a3, letter, legal, postcard,</source>
        <translation>--page NAME        a4（既定）、a5、a3、letter、legal、postcard（はがき）、</translation>
    </message>
    <message>
        <source>reply-postcard, b5 or b4 (JIS)</source>
        <translation>reply-postcard（往復はがき）、b5、b4（JIS）</translation>
    </message>
    <message>
        <source>--tile             %1: tile over pages even when the sheet fits one</source>
        <translation>--tile             %1: 1 ページに収まる場合も複数ページに分割する</translation>
    </message>
    <message>
        <source>Read IN, give the columns of the area the shape of a picture, a line of text</source>
        <translation>IN を読み、範囲の列に画像・1 行の文字・</translation>
    </message>
    <message>
        <source>or a 3D model, write OUT. SOURCE is one of:</source>
        <translation>3D モデルの形を与えて OUT に書き出します。SOURCE は次のいずれか:</translation>
    </message>
    <message>
        <source>--image FILE [--depth-map] [--threshold T]   PNG, JPEG, BMP, GIF or SVG</source>
        <translation>--image FILE [--depth-map] [--threshold T]   PNG、JPEG、BMP、GIF、SVG</translation>
    </message>
    <message>
        <source>--text TEXT [--font NAME]                    a line in a system font</source>
        <translation>--text TEXT [--font NAME]                    システムのフォントで書いた 1 行</translation>
    </message>
    <message>
        <source>--model FILE [--up y|z]                      OBJ, STL, PLY, glTF or 3MF</source>
        <translation>--model FILE [--up y|z]                      OBJ、STL、PLY、glTF、3MF</translation>
    </message>
    <message>
        <source>--depth-map: grey levels are depths (white flat, black D); otherwise pixels</source>
        <translation>--depth-map: 灰色の濃さを奥行きとする（白は平ら、黒は D）。指定しないと、</translation>
    </message>
    <message>
        <source>darker than T percent lightness (default 50) stand out D cells. D defaults</source>
        <translation>明るさ T パーセント（既定 50）より暗いピクセルが D マス起き上がる。D の既定は</translation>
    </message>
    <message>
        <source>to half the card&apos;s depth; a model keeps its proportions and D caps it.</source>
        <translation>カードの奥行きの半分。モデルは縦横比を保ち、D を上限とする。</translation>
    </message>
    <message>
        <source>--area: first column, width and height in cells (default the whole card).</source>
        <translation>--area: 最初の列、幅、高さ（マス単位、既定はカード全体）。</translation>
    </message>
    <message>
        <source>--inside: cut back what would stick out of the closed card.</source>
        <translation>--inside: 閉じたカードからはみ出す部分を削る。</translation>
    </message>
    <message>
        <source>Draw the card as the 3D view shows it at the home camera, folded to DEG</source>
        <translation>3D ビューのホーム位置から見たカードを、DEG 度に折った状態で描きます</translation>
    </message>
    <message>
        <source>degrees (0 closed, 90 opened, 180 flat; default 90), WxH pixels</source>
        <translation>（0 で閉じる、90 で開く、180 で平ら。既定 90）。大きさは WxH ピクセル</translation>
    </message>
    <message>
        <source>(default 800x600, each side 16 to 4096); --grid rules the faces in cells.</source>
        <translation>（既定 800x600、各辺 16 から 4096）。--grid で面にマス目を引きます。</translation>
    </message>
    <message>
        <source>Write a looping animation of the card opening from 0 to 90 degrees and closing.</source>
        <translation>カードが 0 度から 90 度まで開いて閉じる、繰り返しのアニメーションを書き出します。</translation>
    </message>
    <message>
        <source>Write a three-quarter view of the opened card on a transparent background,</source>
        <translation>開いたカードを斜め前から見た図を透明な背景に書き出します。</translation>
    </message>
    <message>
        <source>its larger side SIZE pixels (16 to 4096), as file managers show cards.</source>
        <translation>長い辺は SIZE ピクセル（16 から 4096）で、ファイルマネージャーのサムネイル用です。</translation>
    </message>
    <message>
        <source>OUT is a PNG file whatever its name.</source>
        <translation>OUT は名前にかかわらず PNG ファイルになります。</translation>
    </message>
    <message>
        <source>Messages: one line each on standard error, &quot;popwright-cli: [FILE: ]Message&quot; for an</source>
        <translation>メッセージ: 標準エラーに 1 件 1 行で出力します。エラーは「popwright-cli: [FILE: ]メッセージ」、</translation>
    </message>
    <message>
        <source>error and &quot;popwright-cli: [FILE: ]warning: Message&quot; when the command still did its work.</source>
        <translation>コマンドが処理を終えた場合は「popwright-cli: [FILE: ]警告: メッセージ」です。</translation>
    </message>
    <message>
        <source>Exit status: 0 done (also after a warning), 1 a card, picture, text or model could not</source>
        <translation>終了ステータス: 0 完了（警告のあとも）、1 カード・画像・文字・モデルを</translation>
    </message>
    <message>
        <source>be read, used or written, 2 usage error.</source>
        <translation>読めない、使えない、書けない、2 使い方の誤り。</translation>
    </message>
    <message>
        <source>EXT:%1 (the relief&apos;s 3D faces; with --pattern the flat pattern)</source>
        <translation>拡張子:%1（立体の 3D の面。--pattern を付けると平らな展開図）</translation>
    </message>
    <message>
        <source>Write the card as one web page that shows it in 3D in any browser, with</source>
        <translation>カードを、どのブラウザでも 3D で見られる 1 つのウェブページに書き出します。</translation>
    </message>
    <message>
        <source>nothing loaded from elsewhere: turn it, fold it, play the opening, see and</source>
        <translation>ほかから読み込むものはありません。回す、折る、開く動きを再生する、展開図を見て</translation>
    </message>
    <message>
        <source>download the flat pattern.</source>
        <translation>ダウンロードすることができます。</translation>
    </message>
    <message>
        <source>--machine NAME     the file for a cutting machine (EXT among its own):</source>
        <translation>--machine NAME     カッティングマシン用のファイル (EXT はその機種が読むもの):</translation>
    </message>
    <message>
        <source>machines: %1</source>
        <translation>機種: %1</translation>
    </message>
    <message>
        <source>--kerf MM          laser only: the beam&apos;s width (%1 - %2); the cut runs half of it outside</source>
        <translation>--kerf MM          レーザーのみ: ビームの幅 (%1 - %2)。カット線をその半分だけ外側へずらす</translation>
    </message>
    <message>
        <source>Check that the card survives the cutter and the fold: narrow bridges, loose</source>
        <translation>カードがカットと折りに耐えるかを調べる: 細いブリッジ、抜け落ちる</translation>
    </message>
    <message>
        <source>pieces, cuts and slits below the machine&apos;s smallest, folds too close; one line</source>
        <translation>部品、機種の最小より短いカットや細いスリット、近すぎる折り線。1 件 1 行</translation>
    </message>
    <message>
        <source>each (where on the sheet and how large, in mm at the default print size).</source>
        <translation>(用紙上の位置と大きさ、既定の印刷サイズでの mm)。</translation>
    </message>
    <message>
        <source>--machine NAME     machines: %1 (default: features of 1 mm)</source>
        <translation>--machine NAME     機種: %1 (既定: 最小 1 mm)</translation>
    </message>
    <message>
        <source>--paper-mm T       paper thickness (%1 - %2); also stacks the closed card</source>
        <translation>--paper-mm T       紙の厚さ (%1 - %2)。閉じたカードの重なりも調べる</translation>
    </message>
    <message>
        <source>List the gallery&apos;s cards by difficulty, or write a copy of the card NAME to OUT.</source>
        <translation>ギャラリーのカードを難しさ順に一覧表示するか、カード NAME の写しを OUT に書き出します。</translation>
    </message>
    <message>
        <source>--paper postcard|reply-postcard: instead, the size whose sheet is that paper</source>
        <translation>--paper postcard|reply-postcard: 代わりに、その用紙を長辺の中央で折った台紙になる大きさ</translation>
    </message>
    <message>
        <source>folded across its long side (100 × 148 mm at 74 mm; 148 × 200 mm at 100 mm).</source>
        <translation>（100 × 148 mm は 74 mm で、148 × 200 mm は 100 mm で折ります）。</translation>
    </message>
    <message>
        <source>Add flats to the free-form card IN, or to a new one with - and</source>
        <translation>自由形のカード IN（- なら新しいカード。そのときは</translation>
    </message>
    <message>
        <source>--width MM --half MM, and write OUT. SOURCE is:</source>
        <translation>--width MM --half MM）にフラットを加えて OUT に書き出します。SOURCE:</translation>
    </message>
    <message>
        <source>--text T [--font PATTERN] [--letter-spacing MM]   a line in a system font</source>
        <translation>--text T [--font PATTERN] [--letter-spacing MM]   システムフォントの 1 行の文字</translation>
    </message>
    <message>
        <source>--depth: how far in front of the back the flats stand (default 30).</source>
        <translation>--depth: フラットが背面からどれだけ手前に立つか（既定 30）。</translation>
    </message>
    <message>
        <source>--at: where the lower left corner goes, along the crease and up (default 10,0).</source>
        <translation>--at: 左下の角を置く位置。折り目に沿った位置と高さ（既定 10,0）。</translation>
    </message>
    <message>
        <source>--svg FILE                     a drawing&apos;s layers, at the depths their names give</source>
        <translation>--svg FILE                     図面のレイヤー（名前に書かれた奥行きに立てる）</translation>
    </message>
    <message>
        <source>--image FILE [--threshold N] [--levels N] [--speckle PIXELS]   a picture, traced:</source>
        <translation>--image FILE [--threshold N] [--levels N] [--speckle PIXELS]   画像をトレース:</translation>
    </message>
    <message>
        <source>darker than N of 255 is paper; --levels: a depth map in N levels, black nearest</source>
        <translation>255 段階で N より暗い所が紙。--levels: N 段の奥行きマップ（黒がいちばん手前）</translation>
    </message>
    <message>
        <source>--model FILE [--depths MM,MM,...]   a 3D model sliced at those depths (default: its steps)</source>
        <translation>--model FILE [--depths MM,MM,...]   3D モデルをその奥行きで切り分ける（既定: モデルの段）</translation>
    </message>
    <message>
        <source>--size: the height of the capitals (default 20), or of the shape&apos;s box</source>
        <translation>--size: 大文字の高さ（既定 20）、または形全体の高さ</translation>
    </message>
    <message>
        <source>(a drawing: its own size; a picture: a pixel a millimetre; a model: 60).</source>
        <translation>（図面: 元の大きさ、画像: 1 ピクセル 1 mm、モデル: 60）。</translation>
    </message>
    <message>
        <source>--legend           laser too: the key engraved in black, its letters as outlines</source>
        <translation>--legend           レーザーでも可: 凡例を黒で彫刻 (文字はアウトライン)</translation>
    </message>
</context>
<context>
    <name>CliMessages</name>
    <message>
        <source>warning: </source>
        <translation>警告: </translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>コマンドが指定されていません</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>不明なコマンド「%1」</translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot; for %2</source>
        <translation>%2 に不明なオプション「%1」</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 には値が必要です</translation>
    </message>
    <message>
        <source>%1 needs a number</source>
        <translation>%1 には数が必要です</translation>
    </message>
    <message>
        <source>%1 must be a whole number from %2 to %3</source>
        <translation>%1 は %2 から %3 までの整数で指定してください</translation>
    </message>
    <message>
        <source>new takes one output file</source>
        <translation>new が受け取る出力ファイルは 1 つです</translation>
    </message>
    <message>
        <source>new needs an output file</source>
        <translation>new には出力ファイルが必要です</translation>
    </message>
    <message>
        <source>the card is too large</source>
        <translation>カードが大きすぎます</translation>
    </message>
    <message>
        <source>The %1 %2 is outside the settings&apos; range of %3 to %4.</source>
        <translation>%1 %2 は設定画面の範囲 %3 から %4 の外にあります。</translation>
    </message>
    <message>
        <source>width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>edit needs an input and an output file</source>
        <translation>edit には入力ファイルと出力ファイルが必要です</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot;</source>
        <translation>不明なキー「%1」</translation>
    </message>
    <message>
        <source>info takes one card file</source>
        <translation>info が受け取るカードファイルは 1 つです</translation>
    </message>
    <message>
        <source>convert takes a grid card file and a free-form card file</source>
        <translation>convert はグリッドのカードファイルと自由形のカードファイルを受け取ります</translation>
    </message>
    <message>
        <source>This is a free-form card already.</source>
        <translation>これはすでに自由形のカードです。</translation>
    </message>
    <message>
        <source>The grid card&apos;s tunnels have no folded-back floor in a free-form card; each is a plain hole.</source>
        <translation>自由形のカードではグリッドのカードのトンネルに折り返しの床がないため、それぞれただの穴になります。</translation>
    </message>
    <message>
        <source>unknown page &quot;%1&quot; (a4, a5, a3, letter, legal, postcard, reply-postcard, b5 or b4)</source>
        <translation>不明な用紙「%1」（a4、a5、a3、letter、legal、postcard、reply-postcard、b5、b4 のいずれか）</translation>
    </message>
    <message>
        <source>unknown cut order &quot;%1&quot; (inner-first or as-drawn)</source>
        <translation>不明な切る順番「%1」（inner-first または as-drawn）</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>export needs an input card and an output file: %1</source>
        <translation>export には入力カードと出力ファイルが必要です: %1</translation>
    </message>
    <message>
        <source>%1 needs --perforate</source>
        <translation>%1 は --perforate と一緒に指定してください</translation>
    </message>
    <message>
        <source>%1 applies to %2 files</source>
        <translation>%1 は %2 ファイルにだけ使えます</translation>
    </message>
    <message>
        <source>please give a number of degrees from 0 to 180</source>
        <translation>0 から 180 までの角度（度）を指定してください</translation>
    </message>
    <message>
        <source>please give WIDTHxHEIGHT, each from 16 to 4096 pixels</source>
        <translation>幅x高さ を、それぞれ 16 から 4096 ピクセルで指定してください</translation>
    </message>
    <message>
        <source>render needs an input card and an output picture: %1</source>
        <translation>render には入力カードと出力画像が必要です: %1</translation>
    </message>
    <message>
        <source>please specify a *.png or *.gif file</source>
        <translation>*.png または *.gif ファイルを指定してください</translation>
    </message>
    <message>
        <source>--animate writes a *.gif file</source>
        <translation>--animate で書き出せるのは *.gif ファイルです</translation>
    </message>
    <message>
        <source>--angle and --animate do not go together</source>
        <translation>--angle と --animate は同時に指定できません</translation>
    </message>
    <message>
        <source>thumbnail needs a card, an output picture and a size: %1</source>
        <translation>thumbnail にはカード、出力画像、大きさが必要です: %1</translation>
    </message>
    <message>
        <source>please give a SIZE from 16 to 4096 pixels</source>
        <translation>大きさを 16 から 4096 ピクセルで指定してください</translation>
    </message>
    <message>
        <source>relief needs an input card, an output card and one of --image, --text or --model: %1</source>
        <translation>relief には入力カード、出力カード、--image・--text・--model のいずれかが必要です: %1</translation>
    </message>
    <message>
        <source>relief takes only one of --image, --text and --model</source>
        <translation>relief には --image・--text・--model のうち 1 つだけを指定してください</translation>
    </message>
    <message>
        <source>give y or z</source>
        <translation>y または z を指定してください</translation>
    </message>
    <message>
        <source>give COL,WIDTH,HEIGHT</source>
        <translation>列,幅,高さ を指定してください</translation>
    </message>
    <message>
        <source>--depth-map and --threshold go with --image</source>
        <translation>--depth-map と --threshold は --image と一緒に指定してください</translation>
    </message>
    <message>
        <source>--font goes with --text</source>
        <translation>--font は --text と一緒に指定してください</translation>
    </message>
    <message>
        <source>--up goes with --model</source>
        <translation>--up は --model と一緒に指定してください</translation>
    </message>
    <message>
        <source>%1 --inside cuts the relief back to fit.</source>
        <translation>%1 --inside を付けると、収まるように立体を削ります。</translation>
    </message>
    <message>
        <source>%1 needs --pattern for a dxf file (without it the relief&apos;s 3D faces are written)</source>
        <translation>%1 を dxf ファイルに使うには --pattern が必要です（指定しないと立体の 3D の面を書き出します）</translation>
    </message>
    <message>
        <source>share needs an input card and an output page: %1</source>
        <translation>share には入力カードと出力ページが必要です: %1</translation>
    </message>
    <message>
        <source>unknown machine &quot;%1&quot; (%2)</source>
        <translation>不明な機種 &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>--kerf applies to --machine laser</source>
        <translation>--kerf は --machine laser にのみ使えます</translation>
    </message>
    <message>
        <source>check takes one card file</source>
        <translation>check にはカードファイルを 1 つ指定します</translation>
    </message>
    <message>
        <source>gallery takes a card&apos;s name and an output file, or nothing</source>
        <translation>gallery にはカードの名前と出力ファイルを指定するか、何も指定しないでください</translation>
    </message>
    <message>
        <source>the gallery is not installed</source>
        <translation>ギャラリーがインストールされていません</translation>
    </message>
    <message>
        <source>no card named &quot;%1&quot; in the gallery</source>
        <translation>ギャラリーに「%1」という名前のカードはありません</translation>
    </message>
    <message>
        <source>--paper must be postcard or reply-postcard</source>
        <translation>--paper には postcard か reply-postcard を指定してください</translation>
    </message>
    <message>
        <source>--paper sets the size: leave out --width and --height</source>
        <translation>--paper が大きさを決めます: --width と --height は指定しないでください</translation>
    </message>
    <message>
        <source>%1 × %2 cells of %3 mm: the sheet is %4 × %5 mm, folded at %6 mm; export with --cell-mm %3.</source>
        <translation>%1 × %2 マス（1 マス %3 mm）: 台紙は %4 × %5 mm、%6 mm で折ります。書き出しには --cell-mm %3 を指定してください。</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source> or </source>
        <translation> または </translation>
    </message>
    <message>
        <source> and </source>
        <translation> と </translation>
    </message>
    <message>
        <source>%1 does not apply to the DXF pattern, whose lines have no width and which a cutter cuts whole</source>
        <translation>%1 は DXF の展開図には使えません（線に太さがなく、カッターはそのまま全体を切ります）</translation>
    </message>
    <message>
        <source>%1 does not apply to the DXF pattern, which has no pages</source>
        <translation>%1 は DXF の展開図には使えません（ページがありません）</translation>
    </message>
    <message>
        <source>%1 applies to pdf files; the SVG stays one piece</source>
        <translation>%1 は pdf ファイルにだけ使えます。SVG は一枚のままです</translation>
    </message>
    <message>
        <source>Play the opening</source>
        <translation>開く動きを再生</translation>
    </message>
    <message>
        <source>Fold angle</source>
        <translation>折り角度</translation>
    </message>
    <message>
        <source>Switch between the card and its flat pattern</source>
        <translation>カードと展開図を切り替え</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>展開図</translation>
    </message>
    <message>
        <source>Download the flat pattern as SVG</source>
        <translation>展開図を SVG でダウンロード</translation>
    </message>
    <message>
        <source>flats needs an input card or -, an output card and one source: %1</source>
        <translation>flats には入力カード（または -）、出力カード、ソースが一つ必要です: %1</translation>
    </message>
    <message>
        <source>flats takes one source of flats</source>
        <translation>flats に指定できるフラットのソースは一つだけです</translation>
    </message>
    <message>
        <source>--at: give X,Z in millimetres, Z not below the floor</source>
        <translation>--at: X,Z をミリメートルで指定してください（Z は床より下にできません）</translation>
    </message>
    <message>
        <source>%1: give millimetres from 0.1 to 2000</source>
        <translation>%1: 0.1 から 2000 までのミリメートルで指定してください</translation>
    </message>
    <message>
        <source>%1 goes with another source than %2</source>
        <translation>%1 は %2 以外のソースに使うオプションです</translation>
    </message>
    <message>
        <source>a new card (-) needs --width and --half, each from 10 to 2000 mm</source>
        <translation>新しいカード（-）には --width と --half（それぞれ 10～2000 mm）が必要です</translation>
    </message>
    <message>
        <source>--width and --half go with a new card (-)</source>
        <translation>--width と --half は新しいカード（-）に使います</translation>
    </message>
    <message>
        <source>This is not a free-form card: convert makes one of it.</source>
        <translation>自由形のカードではありません。convert で自由形のカードにできます。</translation>
    </message>
    <message>
        <source>The source made no flats.</source>
        <translation>ソースからフラットができませんでした。</translation>
    </message>
    <message>
        <source>--letter-spacing: give millimetres from -100 to 100</source>
        <translation>--letter-spacing: -100 から 100 までのミリメートルで指定してください</translation>
    </message>
    <message>
        <source>%1 applies to --machine laser, which engraves it</source>
        <translation>%1 は彫刻できる --machine laser にのみ使えます</translation>
    </message>
    <message>
        <source>%1 does not apply to a cutting machine&apos;s files</source>
        <translation>%1 はカッティングマシン用のファイルには使えません</translation>
    </message>
</context>
<context>
    <name>CommandLineHelp</name>
    <message>
        <source>Usage: popwright [CARD.kpf]
Opens the pop-up card designer, with the card file CARD.kpf if one is named.
  --help     show this text and exit
  --version  show the program&apos;s version and exit
Qt&apos;s own options (for example -platform NAME) are accepted too.
The command-line tool popwright-cli makes, edits and exports cards without a window.
</source>
        <translation>使い方: popwright [CARD.kpf]
ポップアップカードのデザイナーを開きます。カードファイル CARD.kpf を指定するとそれを開きます。
  --help     この説明を表示して終了
  --version  プログラムのバージョンを表示して終了
Qt 自身のオプション（例: -platform NAME）も使えます。
コマンドラインツール popwright-cli は、ウィンドウなしでカードを作成・編集・書き出しします。
</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>&amp;New</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <source>Open New File
Open New File</source>
        <translation>新しいカードを作成します
新規作成</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>Open File
 Open File</source>
        <translation>カードファイルを開きます
開く</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>上書き保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save
Save</source>
        <translation>カードを上書き保存します
上書き保存</translation>
    </message>
    <message>
        <source>Save&amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Export 3D Data...</source>
        <translation>3D データを書き出し(&amp;E)...</translation>
    </message>
    <message>
        <source>Save the model data
Save</source>
        <translation>立体のデータを保存します
保存</translation>
    </message>
    <message>
        <source>Export &amp;Unfolded pattern...</source>
        <translation>展開図を書き出し(&amp;U)...</translation>
    </message>
    <message>
        <source>Save the unfolded pattern.
Save</source>
        <translation>展開図（型紙）を保存します
保存</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>印刷(&amp;P)...</translation>
    </message>
    <message>
        <source>Print
Print</source>
        <translation>展開図を印刷します
印刷</translation>
    </message>
    <message>
        <source>Print pre&amp;view</source>
        <translation>印刷プレビュー(&amp;V)</translation>
    </message>
    <message>
        <source>Print preview
Print preview</source>
        <translation>印刷結果をプレビューします
印刷プレビュー</translation>
    </message>
    <message>
        <source>P&amp;rint setup...</source>
        <translation>プリンターの設定(&amp;R)...</translation>
    </message>
    <message>
        <source>Print setup
Print setup</source>
        <translation>プリンターと用紙を設定します
プリンターの設定</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Exit
Exit</source>
        <translation>Popwright を終了します
終了</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>Undo
Undo</source>
        <translation>直前の編集を元に戻します
元に戻す</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>やり直し(&amp;R)</translation>
    </message>
    <message>
        <source>Redo the last undone edit
Redo</source>
        <translation>元に戻した編集をやり直します
やり直し</translation>
    </message>
    <message>
        <source>BMP format</source>
        <translation>BMP 形式</translation>
    </message>
    <message>
        <source>Copy to the Clipboard
Copy to the Clipboard</source>
        <translation>クリップボードにコピーします
クリップボードにコピー</translation>
    </message>
    <message>
        <source>EMF format</source>
        <translation>EMF 形式</translation>
    </message>
    <message>
        <source>Copy to Clipboard
Copy to Clipboard</source>
        <translation>クリップボードにコピーします
クリップボードにコピー</translation>
    </message>
    <message>
        <source>&amp;Smaller</source>
        <translation>小さく(&amp;S)</translation>
    </message>
    <message>
        <source>Smaller
Smaller</source>
        <translation>カーソルを小さくします
小さく</translation>
    </message>
    <message>
        <source>&amp;Larger</source>
        <translation>大きく(&amp;L)</translation>
    </message>
    <message>
        <source>Larger
Larger</source>
        <translation>カーソルを大きくします
大きく</translation>
    </message>
    <message>
        <source>&amp;Hide</source>
        <translation>隠す(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Setting...</source>
        <translation>設定(&amp;S)...</translation>
    </message>
    <message>
        <source>Size of the unfolded pattern
Size</source>
        <translation>展開図の大きさなどを設定します
設定</translation>
    </message>
    <message>
        <source>&amp;Check Invalid Figure</source>
        <translation>不正な形のチェック(&amp;C)</translation>
    </message>
    <message>
        <source>Check the invalid figure
Check</source>
        <translation>切り込みと折り線で作れない形がないか調べます
チェック</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>ツールバー(&amp;T)</translation>
    </message>
    <message>
        <source>Toolbar
Toolbar</source>
        <translation>ツールバーの表示を切り替えます
ツールバー</translation>
    </message>
    <message>
        <source>&amp;Help...</source>
        <translation>ヘルプ(&amp;H)...</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>バージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <source>Version Information
Version Information</source>
        <translation>バージョン情報を表示します
バージョン情報</translation>
    </message>
    <message>
        <source>&amp;Mirror mode</source>
        <translation>左右対称モード(&amp;M)</translation>
    </message>
    <message>
        <source>Mirror mode
Mirror mode</source>
        <translation>左右対称に編集します
左右対称モード</translation>
    </message>
    <message>
        <source>&amp;Home position</source>
        <translation>ホームポジション(&amp;H)</translation>
    </message>
    <message>
        <source>Home position
Home</source>
        <translation>視点を最初の位置に戻します
ホーム</translation>
    </message>
    <message>
        <source>Edit the top surfaces
Edit the top surfaces</source>
        <translation>上面を編集します
上面を編集</translation>
    </message>
    <message>
        <source>Edit the front surfaces
Edit the front surfaces</source>
        <translation>前面を編集します
前面を編集</translation>
    </message>
    <message>
        <source>Insert &amp;Text...</source>
        <translation>文字を挿入(&amp;T)...</translation>
    </message>
    <message>
        <source>Make relief of a line of text
Insert text</source>
        <translation>1 行の文字から立体を作ります
文字を挿入</translation>
    </message>
    <message>
        <source>Insert &amp;Picture...</source>
        <translation>画像を挿入(&amp;P)...</translation>
    </message>
    <message>
        <source>Make relief of a picture
Insert picture</source>
        <translation>画像から立体を作ります
画像を挿入</translation>
    </message>
    <message>
        <source>Insert &amp;Model...</source>
        <translation>3D モデルを挿入(&amp;M)...</translation>
    </message>
    <message>
        <source>Make relief of a 3D model
Insert model</source>
        <translation>3D モデルから立体を作ります
モデルを挿入</translation>
    </message>
    <message>
        <source>Check C&amp;losing</source>
        <translation>閉じ具合の確認(&amp;L)</translation>
    </message>
    <message>
        <source>Check that the closed card hides its relief
Check closing</source>
        <translation>カードを閉じたとき立体が外にはみ出さないか確認します
閉じ具合の確認</translation>
    </message>
    <message>
        <source>&amp;Open card</source>
        <translation>カードを開く(&amp;O)</translation>
    </message>
    <message>
        <source>Open the card to 90 degrees, where it is edited
Open card</source>
        <translation>編集する 90 度までカードを開きます
カードを開く</translation>
    </message>
    <message>
        <source>&amp;Close card</source>
        <translation>カードを閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>Close the card
Close card</source>
        <translation>カードを閉じます
カードを閉じる</translation>
    </message>
    <message>
        <source>Open &amp;15 degrees</source>
        <translation>15 度開く(&amp;1)</translation>
    </message>
    <message>
        <source>Open the card 15 degrees further
Open 15 degrees</source>
        <translation>カードをさらに 15 度開きます
15 度開く</translation>
    </message>
    <message>
        <source>Close 1&amp;5 degrees</source>
        <translation>15 度閉じる(&amp;5)</translation>
    </message>
    <message>
        <source>Close the card 15 degrees further
Close 15 degrees</source>
        <translation>カードをさらに 15 度閉じます
15 度閉じる</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Copy unfolded pattern to Clipboard</source>
        <translation>展開図をクリップボードにコピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Cursor</source>
        <translation>カーソル(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>F&amp;old</source>
        <translation>折り(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Share as &amp;Web Page...</source>
        <translation>ウェブページとして共有(&amp;W)...</translation>
    </message>
    <message>
        <source>Save the card as one web page that shows it in 3D in any browser
Share as web page</source>
        <translation>カードをどのブラウザでも 3D で見られる 1 つのウェブページとして保存
ウェブページとして共有</translation>
    </message>
    <message>
        <source>Export for Cutting &amp;Machine...</source>
        <translation>カッティングマシン用に書き出し(&amp;M)...</translation>
    </message>
    <message>
        <source>Save the pattern as a cutting machine takes it
Export for cutting machine</source>
        <translation>展開図をカッティングマシンが読む形で保存します
カッティングマシン用に書き出し</translation>
    </message>
    <message>
        <source>Check &amp;Buildable</source>
        <translation>製作できるかの確認(&amp;B)</translation>
    </message>
    <message>
        <source>Check that the card survives the cutter and the fold
Check buildable</source>
        <translation>カードがカットと折りに耐えるかを確認します
製作できるかの確認</translation>
    </message>
    <message>
        <source>Convert to &amp;Free-Form Card</source>
        <translation>自由形のカードに変換(&amp;F)</translation>
    </message>
    <message>
        <source>Make the grid card a free-form card with the same pattern
Convert to free-form card</source>
        <translation>グリッドのカードを同じ型紙の自由形のカードにします
自由形のカードに変換</translation>
    </message>
    <message>
        <source>New from &amp;Gallery...</source>
        <translation>ギャラリーから新規作成(&amp;G)...</translation>
    </message>
    <message>
        <source>Start a new card from one of the gallery&apos;s designs
New from gallery</source>
        <translation>ギャラリーのデザインから新しいカードを始めます
ギャラリーから新規作成</translation>
    </message>
    <message>
        <source>Card Si&amp;ze...</source>
        <translation>カードの大きさ(&amp;Z)...</translation>
    </message>
    <message>
        <source>Make the card wider, narrower, taller or shorter around its relief
Card size</source>
        <translation>立体はそのままでカードの幅や高さを変えます
カードの大きさ</translation>
    </message>
    <message>
        <source>S&amp;hift Relief...</source>
        <translation>立体を移動(&amp;H)...</translation>
    </message>
    <message>
        <source>Move all relief by whole columns or rows
Shift relief</source>
        <translation>すべての立体を列単位または行単位で動かします
立体を移動</translation>
    </message>
    <message>
        <source>&amp;Pattern Pane</source>
        <translation>展開図ペイン(&amp;P)</translation>
    </message>
    <message>
        <source>Show the unfolded pattern beside the card
Pattern pane</source>
        <translation>カードの横に展開図を表示します
展開図ペイン</translation>
    </message>
    <message>
        <source>&amp;Welcome...</source>
        <translation>ようこそ(&amp;W)...</translation>
    </message>
    <message>
        <source>First steps with Popwright
Welcome</source>
        <translation>Popwright の最初の一歩
ようこそ</translation>
    </message>
    <message>
        <source>&amp;Drawing as Flats...</source>
        <translation>図面をフラットに(&amp;D)...</translation>
    </message>
    <message>
        <source>Bring the layers of an SVG drawing in as flats
Drawing as flats</source>
        <translation>SVG 図面のレイヤーをフラットとして取り込みます
図面をフラットに</translation>
    </message>
    <message>
        <source>Model as &amp;Flats...</source>
        <translation>モデルをフラットに(&amp;F)...</translation>
    </message>
    <message>
        <source>Slice a 3D model into flats of the free-form card
Model as flats</source>
        <translation>3D モデルを切り分けて自由形のカードのフラットにします
モデルをフラットに</translation>
    </message>
    <message>
        <source>Fl&amp;at List</source>
        <translation>フラット一覧(&amp;A)</translation>
    </message>
    <message>
        <source>Show the free-form card&apos;s flats in a list
Flat list</source>
        <translation>自由形のカードのフラットを一覧で表示します
フラット一覧</translation>
    </message>
    <message>
        <source>Add a line of text as flats of the free-form card
Text as flats</source>
        <translation>1 行の文字を自由形のカードのフラットとして加えます
文字をフラットに</translation>
    </message>
    <message>
        <source>Te&amp;xt as Flats...</source>
        <translation>文字をフラットに(&amp;X)...</translation>
    </message>
    <message>
        <source>P&amp;icture as Flats...</source>
        <translation>画像をフラットに(&amp;I)...</translation>
    </message>
    <message>
        <source>Trace a picture into flats of the free-form card
Picture as flats</source>
        <translation>画像をトレースして自由形のカードのフラットにします
画像をフラットに</translation>
    </message>
</context>
<context>
    <name>CuttingMachines</name>
    <message>
        <source>Cricut</source>
        <translation>Cricut</translation>
    </message>
    <message>
        <source>Laser cutter</source>
        <translation>レーザーカッター</translation>
    </message>
    <message>
        <source>Brother ScanNCut</source>
        <translation>ブラザー スキャンカット</translation>
    </message>
    <message>
        <source>Silhouette</source>
        <translation>シルエット</translation>
    </message>
    <message>
        <source>Pen plotter</source>
        <translation>ペンプロッター</translation>
    </message>
</context>
<context>
    <name>FileFilters</name>
    <message>
        <source>Popwright File(*.kpf)</source>
        <translation>Popwright ファイル(*.kpf)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>BMP File</source>
        <translation>BMP ファイル</translation>
    </message>
    <message>
        <source>EMF File</source>
        <translation>EMF ファイル</translation>
    </message>
    <message>
        <source>Pattern DXF File</source>
        <translation>展開図 DXF ファイル</translation>
    </message>
    <message>
        <source>PDF File</source>
        <translation>PDF ファイル</translation>
    </message>
    <message>
        <source>DXF File</source>
        <translation>DXF ファイル</translation>
    </message>
    <message>
        <source>SVG File</source>
        <translation>SVG ファイル</translation>
    </message>
    <message>
        <source>Web Page</source>
        <translation>ウェブページ</translation>
    </message>
    <message>
        <source>FOLD File</source>
        <translation>FOLD ファイル</translation>
    </message>
    <message>
        <source>Cricut SVG File</source>
        <translation>Cricut SVG ファイル</translation>
    </message>
    <message>
        <source>Laser SVG File</source>
        <translation>レーザー SVG ファイル</translation>
    </message>
    <message>
        <source>Laser DXF File</source>
        <translation>レーザー DXF ファイル</translation>
    </message>
    <message>
        <source>ScanNCut SVG File</source>
        <translation>スキャンカット SVG ファイル</translation>
    </message>
    <message>
        <source>Silhouette DXF File</source>
        <translation>シルエット DXF ファイル</translation>
    </message>
    <message>
        <source>Silhouette SVG File</source>
        <translation>シルエット SVG ファイル</translation>
    </message>
    <message>
        <source>Popwright Free-Form File(*.pwf)</source>
        <translation>Popwright 自由形ファイル(*.pwf)</translation>
    </message>
    <message>
        <source>Popwright Cards(*.kpf *.pwf)</source>
        <translation>Popwright カード(*.kpf *.pwf)</translation>
    </message>
    <message>
        <source>HPGL Plotter File</source>
        <translation>HPGL プロッターファイル</translation>
    </message>
</context>
<context>
    <name>MachineExport</name>
    <message>
        <source>Narrow bridge</source>
        <translation>細いブリッジ</translation>
    </message>
    <message>
        <source>Loose piece</source>
        <translation>抜け落ちる部品</translation>
    </message>
    <message>
        <source>Cut too short</source>
        <translation>短すぎるカット</translation>
    </message>
    <message>
        <source>Slit too narrow</source>
        <translation>細すぎるスリット</translation>
    </message>
    <message>
        <source>Folds too close</source>
        <translation>近すぎる折り線</translation>
    </message>
    <message>
        <source>Does not close flat</source>
        <translation>平らに閉じない</translation>
    </message>
    <message>
        <source>Export for Cutting Machine</source>
        <translation>カッティングマシン用に書き出し</translation>
    </message>
    <message>
        <source>Machine:</source>
        <translation>機種:</translation>
    </message>
    <message>
        <source>Laser kerf (mm):</source>
        <translation>レーザーのカーフ幅 (mm):</translation>
    </message>
    <message>
        <source>Perforation dash (mm):</source>
        <translation>ミシン目の長さ (mm):</translation>
    </message>
    <message>
        <source>Checked for %1.</source>
        <translation>%1 向けに確認しました。</translation>
    </message>
    <message>
        <source>The card can be cut and folded.</source>
        <translation>このカードはカットして折ることができます。</translation>
    </message>
    <message>
        <source>%1 at x %2 mm, s %3 mm: %4 mm</source>
        <translation>%1: x %2 mm, s %3 mm の位置、%4 mm</translation>
    </message>
    <message>
        <source>Findings: %1</source>
        <translation>問題点: %1 件</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>ほか %1 件</translation>
    </message>
    <message>
        <source>Engrave a key of the lines and the card&apos;s size</source>
        <translation>線の種類とカードの大きさの凡例を彫刻する</translation>
    </message>
    <message>
        <source>Perforate the folds</source>
        <translation>折り線をミシン目にする</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Recover unsaved card</source>
        <translation>保存されていないカードの復元</translation>
    </message>
    <message>
        <source>Popwright ended before this card was saved. Recover it to go on working on it, discard it, or decide later: it is offered again at the next start.</source>
        <translation>このカードが保存される前に Popwright が終了しました。復元して作業を続けるか、破棄するか、あとで決めてください。あとで決める場合は、次回の起動時にもう一度表示されます。</translation>
    </message>
    <message>
        <source>Popwright ended before these cards were saved. Recover one to go on working on it, discard it, or decide later: they are offered again at the next start.</source>
        <translation>これらのカードが保存される前に Popwright が終了しました。1 枚を復元して作業を続けるか、破棄するか、あとで決めてください。あとで決める場合は、次回の起動時にもう一度表示されます。</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>カード</translation>
    </message>
    <message>
        <source>Last changed</source>
        <translation>最終変更</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>復元</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>破棄</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>あとで</translation>
    </message>
    <message>
        <source>%1 (recovered)</source>
        <translation>%1（復元）</translation>
    </message>
    <message>
        <source>Recovery copies cannot be kept: %1 cannot be written.</source>
        <translation>復元用のコピーを保存できません: %1 に書き込めません。</translation>
    </message>
    <message>
        <source>The picture could not be read.</source>
        <translation>画像を読み込めませんでした。</translation>
    </message>
    <message>
        <source>The picture has no pixels.</source>
        <translation>画像にピクセルがありません。</translation>
    </message>
    <message>
        <source>The picture has more than 100 million pixels.</source>
        <translation>画像のピクセル数が 1 億を超えています。</translation>
    </message>
    <message>
        <source>The text renders to nothing.</source>
        <translation>文字を描いても何も残りません。</translation>
    </message>
    <message>
        <source>The text is longer than 200 characters.</source>
        <translation>文字が 200 文字を超えています。</translation>
    </message>
    <message>
        <source>No font could be found for the text.</source>
        <translation>この文字を表示できるフォントが見つかりません。</translation>
    </message>
    <message>
        <source>The model could not be read.</source>
        <translation>モデルを読み込めませんでした。</translation>
    </message>
    <message>
        <source>Please specify a *.obj, *.stl, *.ply, *.gltf, *.glb or *.3mf file.</source>
        <translation>*.obj、*.stl、*.ply、*.gltf、*.glb、*.3mf のいずれかのファイルを指定してください。</translation>
    </message>
    <message>
        <source>The model has no triangles.</source>
        <translation>モデルに三角形がありません。</translation>
    </message>
    <message>
        <source>The model has more than 5 million triangles.</source>
        <translation>モデルの三角形が 500 万を超えています。</translation>
    </message>
    <message>
        <source>The model has more than 100,000 parts.</source>
        <translation>モデルの部品が 10 万を超えています。</translation>
    </message>
    <message>
        <source>The model unpacks to more than 256 MB.</source>
        <translation>モデルを展開すると 256 MB を超えます。</translation>
    </message>
    <message>
        <source>The model has coordinates that are not finite numbers.</source>
        <translation>モデルに有限の数でない座標があります。</translation>
    </message>
    <message>
        <source>The model has no width or no height seen from the front.</source>
        <translation>正面から見たモデルに幅または高さがありません。</translation>
    </message>
    <message>
        <source>The picture is white all over: nothing would stand out.</source>
        <translation>画像が一面白いため、何も起き上がりません。</translation>
    </message>
    <message>
        <source>No part of the picture is dark enough to stand out one cell: the relief would be flat.</source>
        <translation>1 マス起き上がるほど暗い部分が画像にないため、立体が平らになります。</translation>
    </message>
    <message>
        <source>The text is too small to show at one cell: give it a larger area or fewer characters.</source>
        <translation>文字が小さすぎて 1 マスでは表せません。範囲を広げるか、文字数を減らしてください。</translation>
    </message>
    <message>
        <source>The model is too small to stand out one cell in the area.</source>
        <translation>モデルが小さすぎて、この範囲では 1 マスも起き上がりません。</translation>
    </message>
    <message>
        <source>No font &quot;%1&quot; was found; the text is drawn in %2.</source>
        <translation>フォント「%1」が見つからないため、%2 で描きます。</translation>
    </message>
    <message>
        <source>The area lies outside the card.</source>
        <translation>範囲がカードの外にあります。</translation>
    </message>
    <message>
        <source>The depth must be between 1 and %1.</source>
        <translation>奥行きは 1 から %1 の間で指定してください。</translation>
    </message>
    <message>
        <source>The threshold must be between 0 and 100.</source>
        <translation>しきい値は 0 から 100 の間で指定してください。</translation>
    </message>
    <message>
        <source>This file could not be read.</source>
        <translation>このファイルを読み込めませんでした。</translation>
    </message>
    <message>
        <source>The version of this data is heigher than this application.
 Please get the latest version of Popwright.</source>
        <translation>このデータのバージョンはアプリケーションより新しいものです。
 最新版の Popwright を入手してください。</translation>
    </message>
    <message>
        <source>The file ends after column %1 of %2; the columns after it are flat.</source>
        <translation>ファイルは %2 列のうち %1 列目で終わっています。それ以降の列は平らになります。</translation>
    </message>
    <message>
        <source>File open failed.</source>
        <translation>ファイルを開けませんでした。</translation>
    </message>
    <message>
        <source>File save failed.</source>
        <translation>ファイルを保存できませんでした。</translation>
    </message>
    <message>
        <source>Please specify a *.bmp or *.emf file.</source>
        <translation>*.bmp または *.emf ファイルを指定してください。</translation>
    </message>
    <message>
        <source>Please specify a %1 file.</source>
        <translation>%1 ファイルを指定してください。</translation>
    </message>
    <message>
        <source>Can&apos;t copy to Clipboard.</source>
        <translation>クリップボードにコピーできません。</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard.</source>
        <translation>クリップボードを開けません。</translation>
    </message>
    <message>
        <source>Please select [File]-[New] to reflect the change.</source>
        <translation>変更を反映するには [ファイル]-[新規作成] を選んでください。</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>整数を入力してください。</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>%1 から %2 までの整数を入力してください。</translation>
    </message>
    <message>
        <source>Please enter 0 or a number between %1 and %2.</source>
        <translation>0 または %1 から %2 までの数を入力してください。</translation>
    </message>
    <message>
        <source>Please enter a number between %1 and %2.</source>
        <translation>%1 から %2 までの数を入力してください。</translation>
    </message>
    <message>
        <source>Can&apos;t open Help file.
See /help/index.html with your browser.</source>
        <translation>ヘルプファイルを開けません。
/help/index.html をブラウザーで開いてください。</translation>
    </message>
    <message>
        <source>Popwright  Version 1.2.1</source>
        <translation>Popwright  バージョン 1.2.1</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>Kiriko</source>
        <translation>Kiriko</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>%1 への変更を保存しますか?</translation>
    </message>
    <message>
        <source>The relief is already as high as the card allows.</source>
        <translation>立体はすでにカードで作れる最大の高さです。</translation>
    </message>
    <message>
        <source>There is no relief under the cursor to lower.</source>
        <translation>カーソルの下に低くできる立体がありません。</translation>
    </message>
    <message>
        <source>Nothing to pull out: no relief stands out above the cursor.</source>
        <translation>引き出すものがありません。カーソルの上に起き上がった立体がありません。</translation>
    </message>
    <message>
        <source>Z lowers the top surfaces only; Ctrl+Space switches to them.</source>
        <translation>Z で低くできるのは上面だけです。Ctrl+Space で上面の編集に切り替えます。</translation>
    </message>
    <message>
        <source>Please specify a *.bmp, *.emf, *.svg, *.pdf, *.fold or *.dxf file.</source>
        <translation>*.bmp、*.emf、*.svg、*.pdf、*.fold、*.dxf のいずれかのファイルを指定してください。</translation>
    </message>
    <message>
        <source>The drawing could not be read.</source>
        <translation>図面を読み込めませんでした。</translation>
    </message>
    <message>
        <source>The drawing is not well-formed SVG.</source>
        <translation>図面は正しい形式の SVG ではありません。</translation>
    </message>
    <message>
        <source>The file is not an SVG drawing.</source>
        <translation>このファイルは SVG 図面ではありません。</translation>
    </message>
    <message>
        <source>The drawing declares XML entities, which are not expanded: save it again without them.</source>
        <translation>図面が XML エンティティを宣言していますが、エンティティは展開しません。エンティティなしで保存し直してください。</translation>
    </message>
    <message>
        <source>The drawing has more than 200,000 path segments.</source>
        <translation>図面のパスの区間が 200,000 を超えています。</translation>
    </message>
    <message>
        <source>The drawing has a value that cannot be read.</source>
        <translation>図面に読み取れない値があります。</translation>
    </message>
    <message>
        <source>The drawing has no shapes with an area.</source>
        <translation>図面に面積のある図形がありません。</translation>
    </message>
    <message>
        <source>The drawing is larger than 64 MB.</source>
        <translation>図面が 64 MB を超えています。</translation>
    </message>
    <message>
        <source>The drawing gives no size in millimetres, centimetres or inches: its units are taken as pixels at 96 per inch.</source>
        <translation>図面の大きさがミリメートル、センチメートル、インチで指定されていないため、単位を 1 インチ 96 ピクセルとみなしました。</translation>
    </message>
    <message>
        <source>Text, pictures, &lt;use&gt; copies and scripts in the drawing were left out: only shapes and paths become flats.</source>
        <translation>図面のテキスト、画像、&lt;use&gt; による複製、スクリプトは省きました。フラットになるのは図形とパスだけです。</translation>
    </message>
    <message>
        <source>A depth in a layer&apos;s name was not a number of millimetres above 0: that layer takes the default depth.</source>
        <translation>レイヤー名の奥行きが 0 より大きいミリメートルの数ではなかったため、そのレイヤーには既定の奥行きを使いました。</translation>
    </message>
    <message>
        <source>Shapes that overlap within a layer were joined into one outline.</source>
        <translation>レイヤーの中で重なっている図形を一つの輪郭にまとめました。</translation>
    </message>
    <message>
        <source>Every depth of a model&apos;s flats must be more than 0 mm.</source>
        <translation>モデルのフラットの奥行きはすべて 0 mm より大きくしてください。</translation>
    </message>
    <message>
        <source>A model is sliced into at most 32 flats.</source>
        <translation>モデルから作るフラットは 32 枚までです。</translation>
    </message>
    <message>
        <source>The model&apos;s height must be more than 0 mm.</source>
        <translation>モデルの高さは 0 mm より大きくしてください。</translation>
    </message>
    <message>
        <source>The depths must be millimetres separated by commas, such as 40,25,10.</source>
        <translation>奥行きは 40,25,10 のようにミリメートルをコンマで区切って書いてください。</translation>
    </message>
    <message>
        <source>No slice of the model shows anything seen from the front.</source>
        <translation>モデルのどの断片も正面から見て何も見えません。</translation>
    </message>
    <message>
        <source>There is no text to make flats of.</source>
        <translation>フラットにする文字がありません。</translation>
    </message>
    <message>
        <source>The text is longer than 500 characters.</source>
        <translation>文字が 500 文字を超えています。</translation>
    </message>
    <message>
        <source>The font has none of the text&apos;s characters.</source>
        <translation>フォントに文字のグリフが一つもありません。</translation>
    </message>
    <message>
        <source>The letters&apos; outlines could not be joined.</source>
        <translation>文字の輪郭を結合できませんでした。</translation>
    </message>
    <message>
        <source>%1 has no glyph for %2: left out.</source>
        <translation>%1 には %2 のグリフがないため省きました。</translation>
    </message>
    <message>
        <source>A baseline run %1 mm high joins the letters; a post at each end hangs a roof.</source>
        <translation>高さ %1 mm のベースラインの帯で文字をつなぎ、両端の柱から屋根を掛けました。</translation>
    </message>
    <message>
        <source>Parts apart from the baseline run stand on stems %2 mm wide: %1 of them.</source>
        <translation>ベースラインの帯から離れた部分は幅 %2 mm の支柱で立たせました: %1 か所。</translation>
    </message>
    <message>
        <source>The text&apos;s size must be above 0 and at most 1000 mm, its spacing at most 1000 mm either way.</source>
        <translation>文字の大きさは 0 より大きく 1000 mm 以下、文字間隔は ±1000 mm 以内にしてください。</translation>
    </message>
    <message>
        <source>No part of the picture is dark enough at this threshold to become a flat.</source>
        <translation>このしきい値ではフラットになるほど暗い部分が画像にありません。</translation>
    </message>
    <message>
        <source>The traced outlines have more than 200,000 pieces: raise the speckle size or use a simpler picture.</source>
        <translation>トレースした輪郭の区間が 200,000 を超えます。除くごみの大きさを上げるか、もっと単純な画像を使ってください。</translation>
    </message>
    <message>
        <source>The number of depth levels must be between 2 and 16.</source>
        <translation>奥行きの段数は 2 から 16 の間で指定してください。</translation>
    </message>
    <message>
        <source>The threshold must be between 0 and 255.</source>
        <translation>しきい値は 0 から 255 の間で指定してください。</translation>
    </message>
    <message>
        <source>The speckle size must be a whole number of pixels, 0 or more.</source>
        <translation>ごみの大きさは 0 以上の整数の画素数で指定してください。</translation>
    </message>
    <message>
        <source>%1 speckles were dropped.</source>
        <translation>%1 個のごみを除きました。</translation>
    </message>
    <message>
        <source>The picture was traced at 1/%1 of its size.</source>
        <translation>画像を 1/%1 の大きさでトレースしました。</translation>
    </message>
    <message>
        <source>The potrace program could not be started: install the potrace package to trace pictures.</source>
        <translation>potrace プログラムを起動できませんでした。画像をトレースするには potrace パッケージをインストールしてください。</translation>
    </message>
    <message>
        <source>The potrace program failed to trace the picture.</source>
        <translation>potrace プログラムが画像のトレースに失敗しました。</translation>
    </message>
    <message>
        <source>The potrace program took too long to trace the picture and was stopped.</source>
        <translation>potrace プログラムによる画像のトレースに時間がかかりすぎたため、中止しました。</translation>
    </message>
</context>
<context>
    <name>PaperSizes</name>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A5</source>
        <translation>A5</translation>
    </message>
    <message>
        <source>A3</source>
        <translation>A3</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>レター</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>リーガル</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>はがき</translation>
    </message>
    <message>
        <source>Reply postcard</source>
        <translation>往復はがき</translation>
    </message>
    <message>
        <source>B5 (JIS)</source>
        <translation>B5 (JIS)</translation>
    </message>
    <message>
        <source>B4 (JIS)</source>
        <translation>B4 (JIS)</translation>
    </message>
</context>
<context>
    <name>PatternExport</name>
    <message>
        <source>Saved %1: %2</source>
        <translation>%1 を保存しました: %2</translation>
    </message>
    <message>
        <source>, %1 pages</source>
        <translation>、%1 ページ</translation>
    </message>
    <message>
        <source>. %1</source>
        <translation>。%1</translation>
    </message>
</context>
<context>
    <name>PatternLegend</name>
    <message>
        <source>cut: red, solid</source>
        <translation>切り込み: 赤、実線</translation>
    </message>
    <message>
        <source>mountain fold: blue, dashed</source>
        <translation>山折り: 青、破線</translation>
    </message>
    <message>
        <source>valley fold: green, dotted</source>
        <translation>谷折り: 緑、点線</translation>
    </message>
    <message>
        <source>fold to score, not cut: magenta, solid</source>
        <translation>筋押しする折り線（切らない）: マゼンタ、実線</translation>
    </message>
    <message>
        <source>card %1 × %2 mm (opened)</source>
        <translation>カード %1 × %2 mm（開いた状態）</translation>
    </message>
    <message>
        <source>sheet %1 × %2 mm</source>
        <translation>用紙 %1 × %2 mm</translation>
    </message>
    <message>
        <source>cut: red, through the paper</source>
        <translation>切り込み: 赤、紙を切り抜く</translation>
    </message>
    <message>
        <source>folds: blue, cut part way through</source>
        <translation>折り線: 青、紙の途中まで切る</translation>
    </message>
    <message>
        <source>folds: red dashes, cut through</source>
        <translation>折り線: 赤の破線、切り抜く</translation>
    </message>
    <message>
        <source>folds too short for dashes: blue, cut part way</source>
        <translation>破線にするには短い折り線: 青、途中まで切る</translation>
    </message>
</context>
<context>
    <name>PatternPrinting</name>
    <message>
        <source>Pattern</source>
        <translation>展開図</translation>
    </message>
    <message>
        <source>&amp;Real size (large sheets on several pages)</source>
        <translation>実寸(&amp;R)（大きな用紙は複数ページに分割）</translation>
    </message>
    <message>
        <source>&amp;Fit to page</source>
        <translation>ページに合わせる(&amp;F)</translation>
    </message>
</context>
<context>
    <name>QtUserPrompts</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 はすでに存在します。
置き換えますか?</translation>
    </message>
</context>
<context>
    <name>ShownTexts</name>
    <message>
        <source>The card closes inside its cover.</source>
        <translation>カードは表紙の内側に収まって閉じます。</translation>
    </message>
    <message>
        <source>1 cell</source>
        <translation>1 マス</translation>
    </message>
    <message>
        <source>%1 cells</source>
        <translation>%1 マス</translation>
    </message>
    <message>
        <source>Sticks out of the closed card by %1 in column %2.</source>
        <translation>閉じたカードから %2 列目で %1 はみ出します。</translation>
    </message>
    <message>
        <source>Sticks out of the closed card by %1 in columns %2.</source>
        <translation>閉じたカードから %2 列目で %1 はみ出します。</translation>
    </message>
    <message>
        <source>Top surfaces: column %1, row %2, height %3</source>
        <translation>上面: %1 列、%2 行、高さ %3</translation>
    </message>
    <message>
        <source>Front surfaces: column %1, height %2, depth %3</source>
        <translation>前面: %1 列、高さ %2、奥行き %3</translation>
    </message>
    <message>
        <source>card %1 × %2 mm (opened), sheet %3 × %4 mm</source>
        <translation>カード %1 × %2 mm（開いた状態）、用紙 %3 × %4 mm</translation>
    </message>
    <message>
        <source>1 fold too short to perforate was written as a score line.</source>
        <translation>ミシン目を入れるには短すぎる折り線 1 本を筋押し線として書き出しました。</translation>
    </message>
    <message>
        <source>%1 folds too short to perforate were written as score lines.</source>
        <translation>ミシン目を入れるには短すぎる折り線 %1 本を筋押し線として書き出しました。</translation>
    </message>
    <message>
        <source>Sticks out of the closed card by %1 mm: %2.</source>
        <translation>閉じたカードから %1 mm はみ出しています: %2。</translation>
    </message>
</context>
<context>
    <name>pw::CAboutDialog</name>
    <message>
        <source>Popwright Version Information</source>
        <translation>Popwright のバージョン情報</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>pw::CDrawingFlatsDialog</name>
    <message>
        <source>Drawing as Flats</source>
        <translation>図面をフラットに</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>レイヤー</translation>
    </message>
    <message>
        <source>Depth</source>
        <translation>奥行き</translation>
    </message>
    <message>
        <source>Layer %1</source>
        <translation>レイヤー %1</translation>
    </message>
    <message>
        <source>&amp;Height of the drawing:</source>
        <translation>図面の高さ(&amp;H):</translation>
    </message>
    <message>
        <source>Lower left corner &amp;across:</source>
        <translation>左下の角の横位置(&amp;A):</translation>
    </message>
    <message>
        <source>Lower left corner &amp;up:</source>
        <translation>左下の角の高さ(&amp;U):</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>SVG 図面 (*.svg)</translation>
    </message>
</context>
<context>
    <name>pw::CInsertReliefDialog</name>
    <message>
        <source>Insert Text</source>
        <translation>文字を挿入</translation>
    </message>
    <message>
        <source>Insert Picture</source>
        <translation>画像を挿入</translation>
    </message>
    <message>
        <source>Insert Model</source>
        <translation>3D モデルを挿入</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>文字(&amp;T):</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>フォント(&amp;F):</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>参照(&amp;B)...</translation>
    </message>
    <message>
        <source>F&amp;ile:</source>
        <translation>ファイル(&amp;I):</translation>
    </message>
    <message>
        <source>&amp;Silhouette: dark pixels stand out</source>
        <translation>シルエット(&amp;S): 暗いピクセルが起き上がる</translation>
    </message>
    <message>
        <source>&amp;Depth map: black stands out farthest</source>
        <translation>深度マップ(&amp;D): 黒がいちばん手前に起き上がる</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>方式:</translation>
    </message>
    <message>
        <source>Dar&amp;ker than:</source>
        <translation>これより暗い(&amp;K):</translation>
    </message>
    <message>
        <source>z (seen from -y)</source>
        <translation>z（-y から見る）</translation>
    </message>
    <message>
        <source>y (seen from +z)</source>
        <translation>y（+z から見る）</translation>
    </message>
    <message>
        <source>&amp;Up axis:</source>
        <translation>上向きの軸(&amp;U):</translation>
    </message>
    <message>
        <source>the model&apos;s own</source>
        <translation>モデルのまま</translation>
    </message>
    <message>
        <source>&amp;Keep inside the closed card</source>
        <translation>閉じたカードの内側に収める(&amp;K)</translation>
    </message>
    <message>
        <source>First &amp;column:</source>
        <translation>最初の列(&amp;C):</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>幅(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>高さ(&amp;H):</translation>
    </message>
    <message>
        <source>&amp;Largest depth:</source>
        <translation>最大の奥行き(&amp;L):</translation>
    </message>
    <message>
        <source>D&amp;epth:</source>
        <translation>奥行き(&amp;E):</translation>
    </message>
    <message>
        <source>Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.svg *.svgz)</source>
        <translation>画像 (*.png *.jpg *.jpeg *.bmp *.gif *.svg *.svgz)</translation>
    </message>
    <message>
        <source>3D models (*.obj *.stl *.ply *.gltf *.glb *.3mf)</source>
        <translation>3D モデル (*.obj *.stl *.ply *.gltf *.glb *.3mf)</translation>
    </message>
    <message>
        <source>Please choose a picture file.</source>
        <translation>画像ファイルを選んでください。</translation>
    </message>
    <message>
        <source>Please choose a model file.</source>
        <translation>モデルファイルを選んでください。</translation>
    </message>
    <message>
        <source>Tick &quot;Keep inside the closed card&quot; to cut it back.</source>
        <translation>はみ出す部分を削るには「閉じたカードの内側に収める」をオンにしてください。</translation>
    </message>
</context>
<context>
    <name>pw::CKirikoDoc</name>
    <message>
        <source>The grid card&apos;s tunnels have no folded-back floor in a free-form card; each is a plain hole.</source>
        <translation>自由形のカードではグリッドのカードのトンネルに折り返しの床がないため、それぞれただの穴になります。</translation>
    </message>
</context>
<context>
    <name>pw::CMainFrame</name>
    <message>
        <source> (%1)</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>ツールバー</translation>
    </message>
    <message>
        <source>  (%1)</source>
        <translation>  (%1)</translation>
    </message>
    <message>
        <source>&amp;%1 %2</source>
        <translation>&amp;%1 %2</translation>
    </message>
    <message>
        <source>Fold angle: 0 closed, 90 opened, 180 flat</source>
        <translation>折り角度: 0 で閉じる、90 で開く、180 で平ら</translation>
    </message>
    <message>
        <source>Fold the card between closed (0 degrees), opened (90) and flat (180)</source>
        <translation>カードを閉じた状態（0 度）、開いた状態（90 度）、平ら（180 度）の間で折ります</translation>
    </message>
    <message>
        <source>%1°</source>
        <translation>%1°</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>隠す</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>%1[*] - Popwright</source>
        <translation>%1[*] - Popwright</translation>
    </message>
    <message>
        <source>Free-form card: drawn in the front view</source>
        <translation>自由形のカード：正面図で描きます</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>展開図</translation>
    </message>
    <message>
        <source>The gallery is not installed.</source>
        <translation>ギャラリーがインストールされていません。</translation>
    </message>
    <message>
        <source>Some relief would be cut off. Nothing was changed.</source>
        <translation>立体の一部が切り落とされてしまいます。何も変更しませんでした。</translation>
    </message>
    <message>
        <source>A card is %1 to %2 columns wide and %3 to %4 cells high.</source>
        <translation>カードの幅は %1 から %2 列、高さは %3 から %4 マスです。</translation>
    </message>
</context>
<context>
    <name>pw::CModelFlatsDialog</name>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Model as Flats</source>
        <translation>モデルをフラットに</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>参照(&amp;B)...</translation>
    </message>
    <message>
        <source>F&amp;ile:</source>
        <translation>ファイル(&amp;I):</translation>
    </message>
    <message>
        <source>z (seen from -y)</source>
        <translation>z（-y から見る）</translation>
    </message>
    <message>
        <source>y (seen from +z)</source>
        <translation>y（+z から見る）</translation>
    </message>
    <message>
        <source>&amp;Up axis:</source>
        <translation>上向きの軸(&amp;U):</translation>
    </message>
    <message>
        <source>&amp;At the model&apos;s steps, at most</source>
        <translation>モデルの段差で、最大(&amp;A)</translation>
    </message>
    <message>
        <source> flats</source>
        <translation> 枚</translation>
    </message>
    <message>
        <source>Depths:</source>
        <translation>奥行き:</translation>
    </message>
    <message>
        <source>At &amp;these depths (mm):</source>
        <translation>次の奥行きで (mm)(&amp;T):</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>高さ(&amp;H):</translation>
    </message>
    <message>
        <source>Lower left &amp;x:</source>
        <translation>左下の x(&amp;X):</translation>
    </message>
    <message>
        <source>Lower left &amp;z:</source>
        <translation>左下の z(&amp;Z):</translation>
    </message>
    <message>
        <source>3D models (*.obj *.stl *.ply *.gltf *.glb *.3mf)</source>
        <translation>3D モデル (*.obj *.stl *.ply *.gltf *.glb *.3mf)</translation>
    </message>
</context>
<context>
    <name>pw::CPictureFlatsDialog</name>
    <message>
        <source>Picture as Flats</source>
        <translation>画像をフラットに</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>参照(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Picture:</source>
        <translation>画像(&amp;P):</translation>
    </message>
    <message>
        <source>&amp;Threshold (darker is paper):</source>
        <translation>しきい値(&amp;T)（暗い方が紙）:</translation>
    </message>
    <message>
        <source> pixels</source>
        <translation> 画素</translation>
    </message>
    <message>
        <source>Drop &amp;speckles up to:</source>
        <translation>除くごみの大きさ(&amp;S):</translation>
    </message>
    <message>
        <source>Depth &amp;map: black is near, white the back sheet</source>
        <translation>深度マップ(&amp;M): 黒が手前、白が背面の紙</translation>
    </message>
    <message>
        <source>&amp;Levels:</source>
        <translation>段数(&amp;L):</translation>
    </message>
    <message>
        <source>&amp;Depth (nearest):</source>
        <translation>奥行き（いちばん手前）(&amp;D):</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>高さ(&amp;H):</translation>
    </message>
    <message>
        <source>Lower left &amp;x:</source>
        <translation>左下の x(&amp;X):</translation>
    </message>
    <message>
        <source>Lower left &amp;z:</source>
        <translation>左下の z(&amp;Z):</translation>
    </message>
    <message>
        <source>Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.svg *.svgz)</source>
        <translation>画像 (*.png *.jpg *.jpeg *.bmp *.gif *.svg *.svgz)</translation>
    </message>
    <message>
        <source>Please choose a picture file.</source>
        <translation>画像ファイルを選んでください。</translation>
    </message>
    <message>
        <source>Flats: %1</source>
        <translation>フラット: %1</translation>
    </message>
</context>
<context>
    <name>pw::CSettingsDialog</name>
    <message>
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>出力</translation>
    </message>
    <message>
        <source>Print Size</source>
        <translation>印刷サイズ</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>of A4 paper size</source>
        <translation>（A4 用紙の幅に対する割合）</translation>
    </message>
    <message>
        <source>BMP Size</source>
        <translation>BMP のサイズ</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>ピクセル</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>左右反転</translation>
    </message>
    <message>
        <source>Cell size (mm)</source>
        <translation>マスの大きさ (mm)</translation>
    </message>
    <message>
        <source>(0 = from the print size, or 0.5 - 50)</source>
        <translation>（0 = 印刷サイズから、または 0.5 - 50）</translation>
    </message>
    <message>
        <source>Display Color</source>
        <translation>表示色</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>背景</translation>
    </message>
    <message>
        <source>Vertical Face</source>
        <translation>垂直面</translation>
    </message>
    <message>
        <source>Horizontal Face</source>
        <translation>水平面</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>輪郭線</translation>
    </message>
    <message>
        <source>Default Setting</source>
        <translation>初期設定に戻す</translation>
    </message>
    <message>
        <source>The number of Grid</source>
        <translation>マスの数</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>(5 - 40)</source>
        <translation>(5 - 40)</translation>
    </message>
    <message>
        <source>(10 - 80)</source>
        <translation>(10 - 80)</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>Display the grid</source>
        <translation>マス目を表示</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>効果音</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>System language</source>
        <translation>システムの言語</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>指定サイズ</translation>
    </message>
    <message>
        <source>Postcard (100 × 148 mm)</source>
        <translation>はがき（100 × 148 mm）</translation>
    </message>
    <message>
        <source>Reply postcard (148 × 200 mm)</source>
        <translation>往復はがき（148 × 200 mm）</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>用紙</translation>
    </message>
</context>
<context>
    <name>pw::CTextFlatsDialog</name>
    <message>
        <source>Text as Flats</source>
        <translation>文字をフラットに</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>太字</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>フォント:</translation>
    </message>
    <message>
        <source>Size (mm, capitals):</source>
        <translation>大きさ (mm、大文字の高さ):</translation>
    </message>
    <message>
        <source>Letter spacing (mm):</source>
        <translation>文字間隔 (mm):</translation>
    </message>
    <message>
        <source>Depth (mm):</source>
        <translation>奥行き (mm):</translation>
    </message>
    <message>
        <source>Position X (mm):</source>
        <translation>位置 X (mm):</translation>
    </message>
    <message>
        <source>Position Z (mm):</source>
        <translation>位置 Z (mm):</translation>
    </message>
</context>
<context>
    <name>pw::CardSizeDialog</name>
    <message>
        <source>Card Size</source>
        <translation>カードの大きさ</translation>
    </message>
    <message>
        <source>Left: columns come or go on the right</source>
        <translation>左: 右側で列を増減する</translation>
    </message>
    <message>
        <source>Centre: columns come or go on both sides</source>
        <translation>中央: 両側で列を増減する</translation>
    </message>
    <message>
        <source>Right: columns come or go on the left</source>
        <translation>右: 左側で列を増減する</translation>
    </message>
    <message>
        <source>&amp;Width (columns):</source>
        <translation>幅（列）(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Height (cells):</source>
        <translation>高さ（マス）(&amp;H):</translation>
    </message>
    <message>
        <source>&amp;Keep the relief at:</source>
        <translation>立体を寄せる位置(&amp;K):</translation>
    </message>
</context>
<context>
    <name>pw::EditController</name>
    <message>
        <source>This is a free-form card: draw its flats in the front view.</source>
        <translation>これは自由形のカードです。フラットは正面図で描きます。</translation>
    </message>
</context>
<context>
    <name>pw::FlatDepthDrag</name>
    <message>
        <source>Flat %1</source>
        <translation>フラット %1</translation>
    </message>
    <message>
        <source>%1 is locked: unlock it in the flat list to change its depth.</source>
        <translation>%1 はロックされています。奥行きを変えるにはフラット一覧でロックを外してください。</translation>
    </message>
    <message>
        <source>Depth of %1: %2 mm (Shift: finer steps)</source>
        <translation>%1 の奥行き: %2 mm（Shift: 細かく動かす）</translation>
    </message>
    <message>
        <source>Depth of %1: %2 mm</source>
        <translation>%1 の奥行き: %2 mm</translation>
    </message>
</context>
<context>
    <name>pw::FlatListDock</name>
    <message>
        <source>Flats</source>
        <translation>フラット</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Depth (mm)</source>
        <translation>奥行き (mm)</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>非表示</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Depth:</source>
        <translation>奥行き:</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上へ</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下へ</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>pw::FrontView</name>
    <message>
        <source>Polygon</source>
        <translation>多角形</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>図形</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>長方形</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>楕円</translation>
    </message>
</context>
<context>
    <name>pw::FrontViewDock</name>
    <message>
        <source>Front View</source>
        <translation>正面ビュー</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Select, move, scale at the corners, rotate at the round handle (V)</source>
        <translation>選択。ドラッグで移動、角で拡大縮小、丸いハンドルで回転 (V)</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Move the selected flat (G)</source>
        <translation>選んだフラットを移動 (G)</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>拡大縮小</translation>
    </message>
    <message>
        <source>Scale the selected flat; Shift keeps its proportions (S)</source>
        <translation>選んだフラットを拡大縮小。Shift で縦横比を保つ (S)</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>回転</translation>
    </message>
    <message>
        <source>Rotate the selected flat about its centre; Shift turns in steps of 15° (T)</source>
        <translation>選んだフラットを中心のまわりに回転。Shift で 15° きざみ (T)</translation>
    </message>
    <message>
        <source>Nodes</source>
        <translation>ノード</translation>
    </message>
    <message>
        <source>Drag the nodes and control points of the selected flat (N)</source>
        <translation>選んだフラットのノードと制御点をドラッグ (N)</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>長方形</translation>
    </message>
    <message>
        <source>Draw a rectangle; Ctrl makes a square, Shift adds it to the selected flat (R)</source>
        <translation>長方形を描く。Ctrl で正方形、Shift で選んだフラットに加える (R)</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>楕円</translation>
    </message>
    <message>
        <source>Draw an ellipse; Ctrl makes a circle, Shift adds it to the selected flat (E)</source>
        <translation>楕円を描く。Ctrl で円、Shift で選んだフラットに加える (E)</translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation>多角形</translation>
    </message>
    <message>
        <source>Click the corners; double-click or Enter closes the polygon (P)</source>
        <translation>角をクリック。ダブルクリックか Enter で多角形を閉じる (P)</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Click for corners, drag for smooth curves, Alt+click for an arc; Enter closes (B)</source>
        <translation>クリックで角、ドラッグでなめらかな曲線、Alt+クリックで円弧。Enter で閉じる (B)</translation>
    </message>
    <message>
        <source>Snap</source>
        <translation>スナップ</translation>
    </message>
    <message>
        <source>Snap to the millimetre grid, to other flats&apos; nodes and edges and to the floor</source>
        <translation>ミリ方眼、ほかのフラットのノードと辺、床に吸い付ける</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>全体</translation>
    </message>
    <message>
        <source>Show the whole front half (Home)</source>
        <translation>手前半分の全体を表示 (Home)</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Duplicate the selected flat (Ctrl+D)</source>
        <translation>選んだフラットを複製 (Ctrl+D)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Delete the selected flat (Delete)</source>
        <translation>選んだフラットを削除 (Delete)</translation>
    </message>
</context>
<context>
    <name>pw::GalleryDialog</name>
    <message>
        <source>Easy</source>
        <translation>やさしい</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>ふつう</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>むずかしい</translation>
    </message>
    <message>
        <source>New from Gallery</source>
        <translation>ギャラリーから新規作成</translation>
    </message>
</context>
<context>
    <name>pw::PatternOptionsDialog</name>
    <message>
        <source>%1 (%2 × %3 mm)</source>
        <translation>%1 (%2 × %3 mm)</translation>
    </message>
    <message>
        <source>Pattern options</source>
        <translation>展開図のオプション</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大きさ</translation>
    </message>
    <message>
        <source>Cell size (mm)</source>
        <translation>マスの大きさ (mm)</translation>
    </message>
    <message>
        <source>(0 = from the print size, or 0.5 - 50)</source>
        <translation>（0 = 印刷サイズから、または 0.5 - 50）</translation>
    </message>
    <message>
        <source>Finished size: %1</source>
        <translation>仕上がりサイズ: %1</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>線</translation>
    </message>
    <message>
        <source>Inner cuts first, outline last</source>
        <translation>内側の切り込みを先に、外形を最後に</translation>
    </message>
    <message>
        <source>As drawn</source>
        <translation>描いた順</translation>
    </message>
    <message>
        <source>Hairline strokes (0.001 in), for laser print drivers</source>
        <translation>極細線（0.001 インチ）、レーザー加工機のドライバー向け</translation>
    </message>
    <message>
        <source>Perforate the folds (dashes a cutter cuts through)</source>
        <translation>折り線をミシン目にする（カッターが切り抜く破線）</translation>
    </message>
    <message>
        <source>Dash (mm)</source>
        <translation>切る長さ (mm)</translation>
    </message>
    <message>
        <source>Gap (mm)</source>
        <translation>残す長さ (mm)</translation>
    </message>
    <message>
        <source>Legend: the line kinds and the card&apos;s size beside the sheet</source>
        <translation>凡例: 線の種類とカードの大きさを用紙の横に表示</translation>
    </message>
    <message>
        <source>Cut order</source>
        <translation>切る順番</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>用紙</translation>
    </message>
    <message>
        <source>Tile over several pages even when it fits one</source>
        <translation>1 ページに収まる場合も複数ページに分割する</translation>
    </message>
    <message>
        <source>Page size</source>
        <translation>用紙サイズ</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 ページ</translation>
    </message>
    <message>
        <source>%1 pages: %2 rows × %3 columns, overlapping by %4 mm</source>
        <translation>%1 ページ: %2 行 × %3 列、のりしろ %4 mm</translation>
    </message>
</context>
<context>
    <name>pw::ShiftReliefDialog</name>
    <message>
        <source>Shift Relief</source>
        <translation>立体を移動</translation>
    </message>
    <message>
        <source>&amp;Columns to the right (left below 0):</source>
        <translation>右へ動かす列数（0 未満で左）(&amp;C):</translation>
    </message>
    <message>
        <source>&amp;Rows up (down below 0):</source>
        <translation>上へ動かす行数（0 未満で下）(&amp;R):</translation>
    </message>
</context>
<context>
    <name>pw::WelcomeDialog</name>
    <message>
        <source>Welcome to Popwright</source>
        <translation>Popwright へようこそ</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Welcome to Popwright&lt;/h3&gt;&lt;p&gt;A pop-up card is one sheet folded once: cuts and folds raise a relief when it opens. Shape the relief in the 3D view with the arrow keys and Space, then print the pattern and cut it out.&lt;/p&gt;&lt;p&gt;Where would you like to begin?&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Popwright へようこそ&lt;/h3&gt;&lt;p&gt;ポップアップカードは一枚の紙を一度折ったものです。切り込みと折り線で、開くと立体が起き上がります。3D ビューで矢印キーとスペースキーを使って立体を形作り、展開図を印刷して切り抜きましょう。&lt;/p&gt;&lt;p&gt;どこから始めますか？&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Make a &amp;first card</source>
        <translation>最初のカードを作る(&amp;F)</translation>
    </message>
    <message>
        <source>Open an &amp;example...</source>
        <translation>作例を開く(&amp;E)...</translation>
    </message>
    <message>
        <source>Start from the &amp;gallery...</source>
        <translation>ギャラリーから始める(&amp;G)...</translation>
    </message>
    <message>
        <source>Read the &amp;guide</source>
        <translation>ガイドを読む(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Show this at start</source>
        <translation>起動時に表示する(&amp;S)</translation>
    </message>
</context>
</TS>
