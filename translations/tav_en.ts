<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>tavのﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About tav</translation>
    </message>
</context>
<context>
    <name>CColumnDlg</name>
    <message>
        <source>ﾀﾞｲｱﾛｸﾞ</source>
        <translation>Columns and Lines</translation>
    </message>
    <message>
        <source>Xデータ：</source>
        <translation>X column:</translation>
    </message>
    <message>
        <source>Yデータ：</source>
        <translation>Y column:</translation>
    </message>
    <message>
        <source>読み飛ばし：</source>
        <translation>Lines to skip:</translation>
    </message>
    <message>
        <source>最終行：</source>
        <translation>Last line:</translation>
    </message>
</context>
<context>
    <name>CFileTypeDlg</name>
    <message>
        <source>ﾀﾞｲｱﾛｸﾞ</source>
        <translation>File Type</translation>
    </message>
    <message>
        <source>ファイルタイプの選択</source>
        <translation>Choose the file type</translation>
    </message>
    <message>
        <source>自動判別</source>
        <translation>Detect automatically</translation>
    </message>
</context>
<context>
    <name>CFitConditionDlg</name>
    <message>
        <source>擬フォークト関数</source>
        <translation>Pseudo-Voigt</translation>
    </message>
    <message>
        <source>ピアソンVII関数</source>
        <translation>Pearson VII</translation>
    </message>
    <message>
        <source>初期幅をデータから推定する</source>
        <translation>Estimate starting widths from the data</translation>
    </message>
    <message>
        <source>Kα1/Kα2 の二重線でフィットする</source>
        <translation>Fit as Kα1/Kα2 doublets</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>シリーズフィット...</source>
        <translation>Series Fit...</translation>
    </message>
    <message>
        <source>同じピークを複数のファイルでフィットします</source>
        <translation>Fit the same peaks in several files</translation>
    </message>
</context>
<context>
    <name>CRangeDlg</name>
    <message>
        <source>ﾀﾞｲｱﾛｸﾞ</source>
        <translation>Display Range</translation>
    </message>
</context>
<context>
    <name>CReportSettingsDlg</name>
    <message>
        <source>正の数値を入力してください。</source>
        <translation>Please enter a positive number.</translation>
    </message>
    <message>
        <source>波長・Scherrer設定</source>
        <translation>Wavelength and Scherrer Settings</translation>
    </message>
    <message>
        <source>λ1 (Å)</source>
        <translation>λ1 (Å)</translation>
    </message>
    <message>
        <source>λ2 (Å)</source>
        <translation>λ2 (Å)</translation>
    </message>
    <message>
        <source>Kα2/Kα1 強度比</source>
        <translation>Kα2/Kα1 intensity ratio</translation>
    </message>
    <message>
        <source>波長の値: </source>
        <translation>Wavelengths from: </translation>
    </message>
    <message>
        <source>Scherrer定数 K</source>
        <translation>Scherrer constant K</translation>
    </message>
    <message>
        <source>装置の半値幅 (2θ°)</source>
        <translation>Instr. FWHM (2θ°)</translation>
    </message>
    <message>
        <source>波長のないファイルに既定の波長を使う</source>
        <translation>Use default wavelengths for files without any</translation>
    </message>
    <message>
        <source>既定の λ1 (Å)</source>
        <translation>Default λ1 (Å)</translation>
    </message>
    <message>
        <source>既定の λ2 (Å)</source>
        <translation>Default λ2 (Å)</translation>
    </message>
    <message>
        <source>既定の強度比</source>
        <translation>Default intensity ratio</translation>
    </message>
    <message>
        <source>0 以上の数値を入力してください。</source>
        <translation>Please enter a number of 0 or more.</translation>
    </message>
</context>
<context>
    <name>CSeriesDlg</name>
    <message>
        <source>連続 (前のファイルの結果から)</source>
        <translation>Chained (from the previous file’s result)</translation>
    </message>
    <message>
        <source>独立 (どのファイルも現在のピークから)</source>
        <translation>Independent (every file from the current peaks)</translation>
    </message>
    <message>
        <source>シリーズフィット</source>
        <translation>Series Fit</translation>
    </message>
    <message>
        <source>追加...</source>
        <translation>Add...</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>スレッド数</source>
        <translation>Threads</translation>
    </message>
    <message>
        <source>初期値</source>
        <translation>Starting values</translation>
    </message>
    <message>
        <source>実行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ファイル (パスの順にフィットします)</source>
        <translation>Files (fitted in the order of their paths)</translation>
    </message>
    <message>
        <source>シリーズのファイル</source>
        <translation>Files of the Series</translation>
    </message>
</context>
<context>
    <name>CSeriesWindow</name>
    <message>
        <source>位置 (2θ°)</source>
        <translation>Position (2θ°)</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>半値幅 FWHM (2θ°)</source>
        <translation>FWHM (2θ°)</translation>
    </message>
    <message>
        <source>積分強度</source>
        <translation>Integrated intensity</translation>
    </message>
    <message>
        <source>形状パラメータ</source>
        <translation>Shape parameter</translation>
    </message>
    <message>
        <source>面間隔 d (Å)</source>
        <translation>d-spacing (Å)</translation>
    </message>
    <message>
        <source>結晶子サイズ (nm)</source>
        <translation>Crystallite size (nm)</translation>
    </message>
    <message>
        <source>χ²</source>
        <translation>χ²</translation>
    </message>
    <message>
        <source>換算 χ²</source>
        <translation>Reduced χ²</translation>
    </message>
    <message>
        <source>Rwp (%)</source>
        <translation>Rwp (%)</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>CSV保存...</source>
        <translation>Save CSV...</translation>
    </message>
    <message>
        <source>図を保存...</source>
        <translation>Save Plot...</translation>
    </message>
    <message>
        <source>シリーズフィット</source>
        <translation>Series Fit</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>ピーク</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>中止しています...</source>
        <translation>Stopping...</translation>
    </message>
    <message>
        <source>%1 ファイルをフィットしています...</source>
        <translation>Fitting %1 files...</translation>
    </message>
    <message>
        <source>%1 / %2 ファイル (失敗 %3)</source>
        <translation>%1 / %2 files (%3 failed)</translation>
    </message>
    <message>
        <source>%1 ファイル, 失敗 %2</source>
        <translation>%1 files, %2 failed</translation>
    </message>
    <message>
        <source> (中止しました)</source>
        <translation> (stopped)</translation>
    </message>
    <message>
        <source>シリーズフィットできませんでした: %1</source>
        <translation>The series fit failed: %1</translation>
    </message>
    <message>
        <source> — ピーク %1</source>
        <translation> — peak %1</translation>
    </message>
    <message>
        <source>CSV保存</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>保存できません: %1 (%2)</source>
        <translation>Cannot save %1 (%2)</translation>
    </message>
    <message>
        <source>図を保存</source>
        <translation>Save Plot</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png);;SVG 画像 (*.svg)</source>
        <translation>PNG images (*.png);;SVG images (*.svg)</translation>
    </message>
</context>
<context>
    <name>CTavDialog</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>整数を入力してください。</source>
        <translation>Please enter a whole number.</translation>
    </message>
    <message>
        <source>%1 から %2 までの整数を入力してください。</source>
        <translation>Please enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>数値を入力してください。</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>%1 から %2 までの数値を入力してください。</source>
        <translation>Please enter a number from %1 to %2.</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>言語の変更は次回の起動から有効になります。</source>
        <translation>The new language takes effect the next time tav starts.</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>次回の起動から使う言語を選びます</source>
        <translation>Choose the language used from the next start</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>ファイル番号 (index)</source>
        <translation>File number (index)</translation>
    </message>
    <message>
        <source>PNG を作れません</source>
        <translation>Cannot make the PNG image</translation>
    </message>
</context>
<context>
    <name>QtHost</name>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>%1 ファイル</source>
        <translation>%1 files</translation>
    </message>
    <message>
        <source>回折プロファイル (%1)</source>
        <translation>Diffraction profiles (%1)</translation>
    </message>
    <message>
        <source>X-Y リスト (%1)</source>
        <translation>X-Y lists (%1)</translation>
    </message>
</context>
<context>
    <name>tav</name>
    <message>
        <source>シリーズフィットできませんでした: %1</source>
        <translation>The series fit failed: %1</translation>
    </message>
    <message>
        <source>これはだめです</source>
        <translation>The background could not be estimated here.</translation>
    </message>
    <message>
        <source>ファイルを開けません: %1 (%2)</source>
        <translation>Cannot open %1 (%2)</translation>
    </message>
    <message>
        <source>データを読み込めませんでした: %1</source>
        <translation>No data could be read from %1</translation>
    </message>
    <message>
        <source>データが途中で終わっています: %1 (%2 点のうち %3 点を読み込みました)</source>
        <translation>The data end early: %1 (read %3 of %2 points)</translation>
    </message>
    <message>
        <source>点が多すぎます: %1 (%2 点; 読み込めるのは %3 点まで)</source>
        <translation>Too many points: %1 (%2 points; at most %3 can be read)</translation>
    </message>
    <message>
        <source>読み込める形式ではありません: %1 (%2)</source>
        <translation>Not a format that can be read: %1 (%2)</translation>
    </message>
    <message>
        <source>複数のスキャンがあります: %1 (%2 スキャンのうち最初のスキャンを読み込みました)</source>
        <translation>The file holds several scans: %1 (read the first of %2 scans)</translation>
    </message>
    <message>
        <source>フィットする範囲の点が少なすぎます: %1 点, パラメータ %2 個</source>
        <translation>Too few points in the fit range: %1 points for %2 parameters</translation>
    </message>
    <message>
        <source>収束しました</source>
        <translation>Converged</translation>
    </message>
    <message>
        <source>収束していません</source>
        <translation>Not converged</translation>
    </message>
    <message>
        <source>フィットする範囲にデータがありません</source>
        <translation>There are no data in the fit range</translation>
    </message>
    <message>
        <source>フィッティングできませんでした: %1</source>
        <translation>The fit failed: %1</translation>
    </message>
    <message>
        <source>Kα1/Kα2 の二重線には波長 λ1 と λ2 が必要です。波長・Scherrer設定で入力してください。</source>
        <translation>A Kα1/Kα2 doublet needs the wavelengths λ1 and λ2. Please enter them in the wavelength and Scherrer settings.</translation>
    </message>
    <message>
        <source>ファイルを保存できません: %1 (%2)</source>
        <translation>Cannot save %1 (%2)</translation>
    </message>
    <message>
        <source>不確かさは求められません: %1</source>
        <translation>No uncertainties: %1</translation>
    </message>
    <message>
        <source>データ点 %1 個に対しパラメータが %2 個です</source>
        <translation>%2 parameters for %1 data points</translation>
    </message>
    <message>
        <source>正規方程式の行列の逆行列がありません (%1)</source>
        <translation>the matrix of the normal equations has no inverse (%1)</translation>
    </message>
    <message>
        <source>χ² が有限の値ではありません</source>
        <translation>χ² is not finite</translation>
    </message>
    <message>
        <source>負または有限でない分散があります</source>
        <translation>a variance is negative or not finite</translation>
    </message>
    <message>
        <source>波長が不明のため、面間隔と結晶子径は求められません</source>
        <translation>The wavelength is unknown, so no d-spacings or crystallite sizes</translation>
    </message>
    <message>
        <source>波長 %1 が正の数でないため、面間隔と結晶子径は求められません</source>
        <translation>The wavelength %1 is not a positive number, so no d-spacings or crystallite sizes</translation>
    </message>
    <message>
        <source>Scherrer定数 K = %1 が正の数でないため、結晶子径は求められません</source>
        <translation>The Scherrer constant K = %1 is not a positive number, so no crystallite sizes</translation>
    </message>
    <message>
        <source>装置の半値幅 %1 が負または数値でないため、結晶子径は求められません</source>
        <translation>The instrumental FWHM %1 is negative or not a number, so no crystallite sizes</translation>
    </message>
    <message>
        <source>ピーク %1: %2</source>
        <translation>Peak %1: %2</translation>
    </message>
    <message>
        <source>位置 %1 が 2θ 0〜180° の範囲外のため、面間隔と結晶子径は求められません</source>
        <translation>the position %1 lies outside 2θ 0–180°, so no d-spacing or crystallite size</translation>
    </message>
    <message>
        <source>装置の半値幅 %1 が観測された半値幅 %2 以上のため、結晶子径は求められません</source>
        <translation>the instrumental FWHM %1 is not below the observed FWHM %2, so no crystallite size</translation>
    </message>
    <message>
        <source>幅 %1 が正の数ではありません（制限せずそのまま示しています）</source>
        <translation>the width %1 is not a positive number (shown as fitted, without limits)</translation>
    </message>
    <message>
        <source>%1 %2 が %3 未満です（制限せずそのまま示しています）</source>
        <translation>%1 %2 is below %3 (shown as fitted, without limits)</translation>
    </message>
    <message>
        <source>%1 %2 が %3〜%4 の範囲外です（制限せずそのまま示しています）</source>
        <translation>%1 %2 lies outside %3–%4 (shown as fitted, without limits)</translation>
    </message>
    <message>
        <source>ピーク形状が選ばれていないため、ピークの値は求められません</source>
        <translation>No peak shape is chosen, so no peak values</translation>
    </message>
    <message>
        <source>%1 個のパラメータは %2 のピークとバックグラウンド直線に分けられないため、ピークの値は求められません</source>
        <translation>%1 parameters do not split into %2 peaks and a background line, so no peak values</translation>
    </message>
    <message>
        <source>η</source>
        <translation>η</translation>
    </message>
    <message>
        <source>指数 m</source>
        <translation>exponent m</translation>
    </message>
</context>
</TS>
