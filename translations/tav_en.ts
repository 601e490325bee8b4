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
    <name>CBoundsDlg</name>
    <message>
        <source>範囲を設定</source>
        <translation>Set Range</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Lower</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>Upper</translation>
    </message>
    <message>
        <source>空欄は制限なし</source>
        <translation>Leave empty for no limit</translation>
    </message>
    <message>
        <source>上限は下限以上にしてください。</source>
        <translation>The upper bound must not be below the lower bound.</translation>
    </message>
    <message>
        <source>パラメータがとれる最小の値（空欄は制限なし）</source>
        <translation>The smallest value the parameter may take (empty: no limit)</translation>
    </message>
    <message>
        <source>パラメータがとれる最大の値（空欄は制限なし）</source>
        <translation>The largest value the parameter may take (empty: no limit)</translation>
    </message>
</context>
<context>
    <name>CCalibrationDlg</name>
    <message>
        <source>フィットを追加</source>
        <translation>Add the fit</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>すべて削除</source>
        <translation>Remove all</translation>
    </message>
    <message>
        <source>分解能関数をフィット</source>
        <translation>Fit the resolution function</translation>
    </message>
    <message>
        <source>保存...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>読み込み...</source>
        <translation>Load...</translation>
    </message>
    <message>
        <source>Scherrer と Williamson–Hall に使う</source>
        <translation>Use for Scherrer and Williamson–Hall</translation>
    </message>
    <message>
        <source>装置関数</source>
        <translation>Instrument function</translation>
    </message>
    <message>
        <source>位置 (2θ)</source>
        <translation>Position (2θ)</translation>
    </message>
    <message>
        <source>半値幅</source>
        <translation>FWHM</translation>
    </message>
    <message>
        <source>形</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>装置関数との差</source>
        <translation>FWHM − function</translation>
    </message>
    <message>
        <source>校正セット（標準試料のピーク）</source>
        <translation>Calibration set (the standard&apos;s peaks)</translation>
    </message>
    <message>
        <source>装置関数はまだありません</source>
        <translation>No instrument function yet</translation>
    </message>
    <message>
        <source>ファイル: （未保存）</source>
        <translation>File: (not saved)</translation>
    </message>
    <message>
        <source>ファイル: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>結晶子径と Williamson–Hall で、各ピークの装置の半値幅をこの関数から取る</source>
        <translation>Crystallite sizes and Williamson–Hall take each peak&apos;s instrumental FWHM from this function</translation>
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
    <message>
        <source>X（2θ）を読む列の番号</source>
        <translation>The number of the column X (2θ) is read from</translation>
    </message>
    <message>
        <source>強度を読む列の番号</source>
        <translation>The number of the column the intensity is read from</translation>
    </message>
    <message>
        <source>ファイルの先頭で読み飛ばす行数（見出しの行など）</source>
        <translation>Lines skipped at the start of the file (headings and the like)</translation>
    </message>
    <message>
        <source>読み込む最後の行の番号</source>
        <translation>The number of the last line read</translation>
    </message>
</context>
<context>
    <name>CExportSizeDlg</name>
    <message>
        <source>プロットの大きさ</source>
        <translation>Plot Size</translation>
    </message>
    <message>
        <source>幅:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高さ:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>書き出す画像の幅（PDF ではポイント）</source>
        <translation>Width of the exported picture (points for a PDF)</translation>
    </message>
    <message>
        <source>書き出す画像の高さ（PDF ではポイント）</source>
        <translation>Height of the exported picture (points for a PDF)</translation>
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
    <message>
        <source>列に並んだ X と強度のテキストファイル</source>
        <translation>A text file of X and intensity in columns</translation>
    </message>
    <message>
        <source>リガクの RINT ASCII ファイル</source>
        <translation>A Rigaku RINT ASCII file</translation>
    </message>
    <message>
        <source>読めるどの形式も、ファイルの内容から判別して読む</source>
        <translation>Any format the program reads, told by the file&apos;s contents</translation>
    </message>
</context>
<context>
    <name>CFitConditionDlg</name>
    <message>
        <source>初期幅をデータから推定する</source>
        <translation>Estimate starting widths from the data</translation>
    </message>
    <message>
        <source>Kα1/Kα2 の二重線でフィットする</source>
        <translation>Fit as Kα1/Kα2 doublets</translation>
    </message>
    <message>
        <source>ﾀﾞｲｱﾛｸﾞ</source>
        <translation>Fit Conditions</translation>
    </message>
    <message>
        <source>収束条件＝</source>
        <translation>Tolerance =</translation>
    </message>
    <message>
        <source>関数の選択</source>
        <translation>Peak shape</translation>
    </message>
    <message>
        <source>反復ごとにメッセージを表示する</source>
        <translation>Show a message after every iteration</translation>
    </message>
    <message>
        <source>重み</source>
        <translation>Weights</translation>
    </message>
    <message>
        <source>単位重み</source>
        <translation>Unit weights</translation>
    </message>
    <message>
        <source>計数統計 (σ² = N + 1)</source>
        <translation>Counting statistics (σ² = N + 1)</translation>
    </message>
    <message>
        <source>プロファイルの σ</source>
        <translation>The profile&apos;s σ</translation>
    </message>
    <message>
        <source>混合型の関数を物理的な範囲に保つ</source>
        <translation>Keep mixed shapes in physical ranges</translation>
    </message>
    <message>
        <source>擬Voigt・Pearson VII・分割擬Voigt: 高さ ≥ 0、幅 &gt; 0、η は 0〜1、m ≥ 0.6</source>
        <translation>Pseudo-Voigt, Pearson VII, split pseudo-Voigt: height ≥ 0, width &gt; 0, η in 0–1, m ≥ 0.6</translation>
    </message>
    <message>
        <source>ピークの最大数</source>
        <translation>Maximum peaks</translation>
    </message>
    <message>
        <source>χ² の減りがこの割合より小さくなったら収束とみなす（0.00001〜1）</source>
        <translation>The fit has converged when a step lowers χ² by less than this share of it (0.00001 to 1)</translation>
    </message>
    <message>
        <source>ピークの形</source>
        <translation>The shape of the peaks</translation>
    </message>
    <message>
        <source>置いたピークの初期幅を、表示範囲の 1/10 でなくデータの半値幅から取る</source>
        <translation>Placed peaks start from the half width measured in the data instead of a tenth of the display range</translation>
    </message>
    <message>
        <source>どのピークも波長 λ1 と λ2 の二本の線としてフィットする</source>
        <translation>Fit every peak as two lines, of wavelengths λ1 and λ2</translation>
    </message>
    <message>
        <source>外すと、反復ごとのメッセージはステータスバーに出る</source>
        <translation>Unchecked, the message of each step goes to the status bar</translation>
    </message>
    <message>
        <source>最小二乗法で各点をどう重み付けするか</source>
        <translation>How the least-squares fit weighs each point</translation>
    </message>
    <message>
        <source>ピーク表に置けるピークの数（10〜200）</source>
        <translation>How many peaks the table takes (10 to 200)</translation>
    </message>
    <message>
        <source>バックグラウンドの次数</source>
        <translation>Background order</translation>
    </message>
    <message>
        <source>1: 直線 A·x + B。それ以外: フィット範囲のチェビシェフ多項式 c0…cN</source>
        <translation>1: the line A·x + B. Any other: a Chebyshev series c0…cN over the fit range</translation>
    </message>
</context>
<context>
    <name>CLatticeDlg</name>
    <message>
        <source>零点</source>
        <translation>Zero shift</translation>
    </message>
    <message>
        <source>試料変位（Bragg–Brentano）</source>
        <translation>Specimen displacement (Bragg–Brentano)</translation>
    </message>
    <message>
        <source>相を設定</source>
        <translation>Set the phase</translation>
    </message>
    <message>
        <source>精密化</source>
        <translation>Refine</translation>
    </message>
    <message>
        <source>以後の d を零点と試料変位で補正する</source>
        <translation>Correct later d-spacings for zero shift and displacement</translation>
    </message>
    <message>
        <source>格子定数</source>
        <translation>Lattice parameters</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>ピーク</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>観測 2θ</source>
        <translation>Observed 2θ</translation>
    </message>
    <message>
        <source>計算 2θ</source>
        <translation>Calculated 2θ</translation>
    </message>
    <message>
        <source>残差</source>
        <translation>Residual</translation>
    </message>
    <message>
        <source>晶系</source>
        <translation>Crystal system</translation>
    </message>
    <message>
        <source>格子の種類</source>
        <translation>Centring</translation>
    </message>
    <message>
        <source>ゴニオメータ半径 (mm)</source>
        <translation>Goniometer radius (mm)</translation>
    </message>
    <message>
        <source>格子と一緒に精密化</source>
        <translation>Refine with the cell</translation>
    </message>
    <message>
        <source>格子定数は正の数で入力してください</source>
        <translation>Enter the cell lengths as positive numbers</translation>
    </message>
    <message>
        <source>ゴニオメータ半径は正の数で入力するか、空にしてください</source>
        <translation>Enter the goniometer radius as a positive number, or leave it empty</translation>
    </message>
    <message>
        <source>%1 本のピークに hkl を付けました</source>
        <translation>%1 peaks indexed</translation>
    </message>
    <message>
        <source>相が設定されていません</source>
        <translation>No phase is set</translation>
    </message>
    <message>
        <source>? (%1)</source>
        <translation>? (%1)</translation>
    </message>
    <message>
        <source>相の晶系</source>
        <translation>The phase&apos;s crystal system</translation>
    </message>
    <message>
        <source>格子の中心化（消滅則を決める）</source>
        <translation>The lattice centring (which sets the absent reflections)</translation>
    </message>
    <message>
        <source>おおよその格子定数（Å）</source>
        <translation>The approximate cell length (Å)</translation>
    </message>
    <message>
        <source>試料変位の項に要るゴニオメータの半径（空欄はなし）</source>
        <translation>The goniometer radius the specimen displacement needs (empty: none)</translation>
    </message>
    <message>
        <source>2θ の零点のずれも一緒に精密化する</source>
        <translation>Refine the 2θ zero shift too</translation>
    </message>
    <message>
        <source>試料面の変位も一緒に精密化する（ゴニオメータ半径が要る）</source>
        <translation>Refine the specimen displacement too (needs the goniometer radius)</translation>
    </message>
    <message>
        <source>これからの面間隔を、精密化した零点と試料変位で補正する</source>
        <translation>Correct the d-spacings from now on by the refined zero shift and displacement</translation>
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
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新規にﾌｧｲﾙを作成
新規ﾌｧｲﾙ</source>
        <translation>Create a new file
New file</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>既存のﾌｧｲﾙを開く
開く</source>
        <translation>Open an existing file
Open</translation>
    </message>
    <message>
        <source>TXTファイル保存(&amp;S)</source>
        <translation>&amp;Save as TXT</translation>
    </message>
    <message>
        <source>TXT形式のﾌｧｲﾙを保存
保存</source>
        <translation>Save the profile as a TXT file
Save</translation>
    </message>
    <message>
        <source>DATファイル保存(&amp;A)...</source>
        <translation>Save as D&amp;AT...</translation>
    </message>
    <message>
        <source>DAT形式のファイルを保存
保存</source>
        <translation>Save the profile as a DAT file
Save</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>作業中のﾌｧｲﾙを印刷
印刷</source>
        <translation>Print the plot
Print</translation>
    </message>
    <message>
        <source>印刷ﾌﾟﾚﾋﾞｭｰ(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>ﾌﾙ ﾍﾟｰｼﾞ表示
印刷ﾌﾟﾚﾋﾞｭｰ</source>
        <translation>Show the full page
Print preview</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示
終了</source>
        <translation>Quit the application
Exit</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About tav...</translation>
    </message>
    <message>
        <source>ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示
ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>Show the program&apos;s information, version and copyright
About</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>直前に行った動作を元に戻す
元に戻す</source>
        <translation>Undo the last action
Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>元に戻した動作をやり直す
やり直し</source>
        <translation>Redo the action undone last
Redo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動
切り取り</source>
        <translation>Cut the selection to the clipboard
Cut</translation>
    </message>
    <message>
        <source>ｺﾋﾟｰ(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存
ｺﾋﾟｰ</source>
        <translation>Copy the selection to the clipboard
Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け
貼り付け</source>
        <translation>Paste the clipboard
Paste</translation>
    </message>
    <message>
        <source>次のﾍﾟｲﾝ</source>
        <translation>Next Pane</translation>
    </message>
    <message>
        <source>次のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え
次のﾍﾟｲﾝ</source>
        <translation>Switch to the next window pane
Next pane</translation>
    </message>
    <message>
        <source>前のﾍﾟｲﾝ</source>
        <translation>Previous Pane</translation>
    </message>
    <message>
        <source>前のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え
前のﾍﾟｲﾝ</source>
        <translation>Switch to the previous window pane
Previous pane</translation>
    </message>
    <message>
        <source>範囲設定</source>
        <translation>Set Range</translation>
    </message>
    <message>
        <source>フィッテングする範囲を設定</source>
        <translation>Drag out the range to fit</translation>
    </message>
    <message>
        <source>範囲入力</source>
        <translation>Enter Range</translation>
    </message>
    <message>
        <source>グラフの範囲をキーボードから入力</source>
        <translation>Type the plot range</translation>
    </message>
    <message>
        <source>ピーク位置</source>
        <translation>Place Peaks</translation>
    </message>
    <message>
        <source>ピーク位置の設定</source>
        <translation>Double-click to place peaks</translation>
    </message>
    <message>
        <source>初期範囲</source>
        <translation>Reset Range</translation>
    </message>
    <message>
        <source>設定範囲をもとにもどす</source>
        <translation>Go back to the whole profile</translation>
    </message>
    <message>
        <source>最小二乗条件</source>
        <translation>Fit Conditions</translation>
    </message>
    <message>
        <source>最小二乗条件を入力します</source>
        <translation>Set the peak shape and convergence tolerance</translation>
    </message>
    <message>
        <source>最小二乗スタート</source>
        <translation>Start Fit</translation>
    </message>
    <message>
        <source>結果保存</source>
        <translation>Save Result</translation>
    </message>
    <message>
        <source>バック除去</source>
        <translation>Estimate Background</translation>
    </message>
    <message>
        <source>偏光補正</source>
        <translation>Polarization Correction</translation>
    </message>
    <message>
        <source>レポート保存(CSV)</source>
        <translation>Save Report (CSV)</translation>
    </message>
    <message>
        <source>ピークの表をCSV形式で保存</source>
        <translation>Save the peak table as CSV</translation>
    </message>
    <message>
        <source>波長・Scherrer設定...</source>
        <translation>Wavelength and Scherrer Settings...</translation>
    </message>
    <message>
        <source>波長とScherrer式の定数を入力します</source>
        <translation>Enter the wavelengths and the Scherrer constants</translation>
    </message>
    <message>
        <source>ピーク表</source>
        <translation>Peak Table</translation>
    </message>
    <message>
        <source>ピーク表を表示または非表示にします</source>
        <translation>Show or hide the peak table</translation>
    </message>
    <message>
        <source>ピーク自動検索</source>
        <translation>Find Peaks</translation>
    </message>
    <message>
        <source>表示範囲のピークを探して、強い順に空いている欄へ置きます
ピーク自動検索</source>
        <translation>Find the peaks in the display range and place them, strongest first, in the free slots
Find peaks</translation>
    </message>
    <message>
        <source>強度: 線形</source>
        <translation>Intensity: Linear</translation>
    </message>
    <message>
        <source>強度を線形の目盛りで描く</source>
        <translation>Draw intensities on a linear scale</translation>
    </message>
    <message>
        <source>強度: 平方根</source>
        <translation>Intensity: Square Root</translation>
    </message>
    <message>
        <source>強度を平方根の目盛りで描く</source>
        <translation>Draw intensities on a square-root scale</translation>
    </message>
    <message>
        <source>強度: 対数</source>
        <translation>Intensity: Logarithmic</translation>
    </message>
    <message>
        <source>強度を対数の目盛りで描く（0 以下は下端に）</source>
        <translation>Draw intensities on a logarithmic scale (zero and below on the bottom edge)</translation>
    </message>
    <message>
        <source>目盛り</source>
        <translation>Ticks</translation>
    </message>
    <message>
        <source>軸に目盛りと数値を描く</source>
        <translation>Draw tick marks and labels on the axes</translation>
    </message>
    <message>
        <source>グリッド</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>目盛りの位置に格子線を描く</source>
        <translation>Draw grid lines at the ticks</translation>
    </message>
    <message>
        <source>残差</source>
        <translation>Residuals</translation>
    </message>
    <message>
        <source>フィットの後、プロットの下に残差（データ − モデル）を描く</source>
        <translation>After a fit, draw the residuals (data − model) under the plot</translation>
    </message>
    <message>
        <source>枠内に描く</source>
        <translation>Clip to Frame</translation>
    </message>
    <message>
        <source>曲線をプロットの枠の内側だけに描く</source>
        <translation>Draw curves only inside the plot frame</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる</source>
        <translation>Fit to Window</translation>
    </message>
    <message>
        <source>プロットをウィンドウの大きさに合わせる</source>
        <translation>Let the plot follow the window size</translation>
    </message>
    <message>
        <source>推定バックグラウンドを差し引く</source>
        <translation>Subtract Estimated Background</translation>
    </message>
    <message>
        <source>推定したバックグラウンドを強度から差し引く</source>
        <translation>Subtract the estimated background from the intensities</translation>
    </message>
    <message>
        <source>プロットを書き出す...</source>
        <translation>Export Plot...</translation>
    </message>
    <message>
        <source>プロットを PNG または SVG の画像として保存</source>
        <translation>Save the plot as a PNG or SVG image</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>フィッテング</source>
        <translation>Fitting</translation>
    </message>
    <message>
        <source>補正</source>
        <translation>Correction</translation>
    </message>
    <message>
        <source>ﾚﾃﾞｨ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>カーブフィッティングプログラム（バックグランド自動）</source>
        <translation>Curve Fitting Program (Automatic Background)</translation>
    </message>
    <message>
        <source>ファイルから</source>
        <translation>from the file</translation>
    </message>
    <message>
        <source>入力値</source>
        <translation>entered</translation>
    </message>
    <message>
        <source>既定値</source>
        <translation>default</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰ</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>保存しました: %1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>プロットを書き出す</source>
        <translation>Export Plot</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
    <message>
        <source>SVG 画像 (*.svg)</source>
        <translation>SVG images (*.svg)</translation>
    </message>
    <message>
        <source>%1 に書き出せませんでした: %2</source>
        <translation>Could not write %1: %2</translation>
    </message>
    <message>
        <source>ｶﾅ</source>
        <translation>KANA</translation>
    </message>
    <message>
        <source>フィットを校正セットに追加</source>
        <translation>Add the Fit to the Calibration Set</translation>
    </message>
    <message>
        <source>標準試料のフィットしたピークを校正セットに加えます</source>
        <translation>Adds the fitted peaks of a standard to the calibration set</translation>
    </message>
    <message>
        <source>装置関数...</source>
        <translation>Instrument Function...</translation>
    </message>
    <message>
        <source>校正セット、分解能関数のフィット、装置関数ファイルとその使用</source>
        <translation>The calibration set, the resolution function&apos;s fit, the instrument file and its use</translation>
    </message>
    <message>
        <source>格子定数...</source>
        <translation>Lattice Parameters...</translation>
    </message>
    <message>
        <source>相の格子と hkl、格子定数・零点・試料変位の精密化</source>
        <translation>The phase&apos;s cell and hkl; refinement of the cell, zero shift and displacement</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>バックグラウンド推定 (SNIP)</source>
        <translation>Background estimate (SNIP)</translation>
    </message>
    <message>
        <source>ピークを刈り込む SNIP 法で、曲がったバックグラウンドを推定します</source>
        <translation>Estimate a curved background by clipping the peaks (SNIP)</translation>
    </message>
    <message>
        <source>セッションを保存...</source>
        <translation>Save Session...</translation>
    </message>
    <message>
        <source>プロファイル、ピーク、フィット、校正と表示をセッションファイルに保存</source>
        <translation>Save the profile, peaks, fit, calibration and view as a session file</translation>
    </message>
    <message>
        <source>セッションを開く...</source>
        <translation>Open Session...</translation>
    </message>
    <message>
        <source>保存したセッションを開き、作業をその時の状態に戻す</source>
        <translation>Open a saved session and bring the work back as it was</translation>
    </message>
    <message>
        <source>フィット結果をデータで書き出す...</source>
        <translation>Export Fit as Data...</translation>
    </message>
    <message>
        <source>データ、モデル、バックグラウンド、残差と各ピークを CSV で保存</source>
        <translation>Save the data, model, background, residuals and each peak as CSV</translation>
    </message>
    <message>
        <source>置いたピークを最小二乗法でフィットします</source>
        <translation>Fits the placed peaks by least squares</translation>
    </message>
    <message>
        <source>フィットしたパラメータとモデル曲線をファイルに保存</source>
        <translation>Saves the fitted parameters and the model curve to a file</translation>
    </message>
    <message>
        <source>表示範囲を区切った最小値に三次式を当てはめてバックグラウンドを推定します</source>
        <translation>Estimates the background by a cubic through the minima of bins of the display range</translation>
    </message>
    <message>
        <source>強度に偏光補正をかけます（1 回だけ）</source>
        <translation>Applies the polarization correction to the intensities (once)</translation>
    </message>
    <message>
        <source>プロットを PNG・SVG の画像または PDF として保存</source>
        <translation>Saves the plot as a PNG or SVG picture or as a PDF</translation>
    </message>
    <message>
        <source>PDF 文書 (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
</context>
<context>
    <name>CRangeDlg</name>
    <message>
        <source>ﾀﾞｲｱﾛｸﾞ</source>
        <translation>Display Range</translation>
    </message>
    <message>
        <source>表示する X の下限</source>
        <translation>The lower end of X shown</translation>
    </message>
    <message>
        <source>表示する X の上限</source>
        <translation>The upper end of X shown</translation>
    </message>
    <message>
        <source>表示する強度の下限</source>
        <translation>The lower end of the intensity shown</translation>
    </message>
    <message>
        <source>表示する強度の上限</source>
        <translation>The upper end of the intensity shown</translation>
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
        <translation>Wavelengths: </translation>
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
    <message>
        <source>Kα1 線の波長（空欄は不明）</source>
        <translation>The wavelength of the Kα1 line (empty: unknown)</translation>
    </message>
    <message>
        <source>Kα2 線の波長（空欄は不明）</source>
        <translation>The wavelength of the Kα2 line (empty: unknown)</translation>
    </message>
    <message>
        <source>Kα2 と Kα1 の強度の比（空欄はファイルの値、なければ 0.5）</source>
        <translation>The Kα2/Kα1 intensity ratio (empty: the file&apos;s, else 0.5)</translation>
    </message>
    <message>
        <source>Scherrer の式の形状因子（ふつう 0.9）</source>
        <translation>The shape factor of the Scherrer equation (usually 0.9)</translation>
    </message>
    <message>
        <source>結晶子径を求める前に差し引く装置の半値幅</source>
        <translation>The instrument&apos;s FWHM, removed before crystallite sizes are computed</translation>
    </message>
    <message>
        <source>X-Y ファイルなど波長を書いていないファイルに使う波長</source>
        <translation>Wavelengths for files that state none, such as X-Y lists</translation>
    </message>
    <message>
        <source>波長のないファイルが受け取る値</source>
        <translation>The value a file without wavelengths takes</translation>
    </message>
</context>
<context>
    <name>CScanDlg</name>
    <message>
        <source>スキャンの選択</source>
        <translation>Choose a scan</translation>
    </message>
    <message>
        <source>このファイルにはスキャンが %1 個あります。読むスキャン:</source>
        <translation>This file holds %1 scans. Scan to read:</translation>
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
    <message>
        <source>フィットするファイル（パスの順に並べ替えてフィットする）</source>
        <translation>The files to fit (fitted in the order of their paths)</translation>
    </message>
    <message>
        <source>各ファイルを、前に成功したファイルの結果から始める</source>
        <translation>Each file starts from the result of the last file that succeeded</translation>
    </message>
    <message>
        <source>どのファイルも現在のピークから始める（複数のスレッドで並行できる）</source>
        <translation>Every file starts from the present peaks (several threads can share the work)</translation>
    </message>
    <message>
        <source>独立フィットで同時に使うスレッドの数</source>
        <translation>The threads an independent series uses at once</translation>
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
        <source>グラフの縦軸にとる列</source>
        <translation>The column on the plot&apos;s vertical axis</translation>
    </message>
    <message>
        <source>グラフに描くピーク</source>
        <translation>The peak plotted</translation>
    </message>
    <message>
        <source>横軸のパターンが正しくありません: %1</source>
        <translation>The X pattern is not valid: %1</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png);;SVG 画像 (*.svg);;PDF 文書 (*.pdf)</source>
        <translation>PNG images (*.png);;SVG images (*.svg);;PDF documents (*.pdf)</translation>
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
    <name>CalibrationPlot</name>
    <message>
        <source>半値幅 (°)  0 – %1</source>
        <translation>FWHM (°)  0 – %1</translation>
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
    <name>PeakTableDock</name>
    <message>
        <source>位置 (2θ)</source>
        <translation>Position (2θ)</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>半値幅</source>
        <translation>FWHM</translation>
    </message>
    <message>
        <source>面積</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>結晶子径 (nm)</source>
        <translation>Crystallite size (nm)</translation>
    </message>
    <message>
        <source>χ² = %1
換算χ² = %2
Rwp = %3 %
Rp = %4 %
収束: %5
反復回数: %6</source>
        <translation>χ² = %1
Reduced χ² = %2
Rwp = %3 %
Rp = %4 %
Converged: %5
Iterations: %6</translation>
    </message>
    <message>
        <source>あり</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>no</translation>
    </message>
    <message>
        <source>ピーク</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>ピーク表</source>
        <translation>Peak Table</translation>
    </message>
    <message>
        <source>
重み: %1
Rexp = %2 %
gof = %3</source>
        <translation>
Weights: %1
Rexp = %2 %
gof = %3</translation>
    </message>
    <message>
        <source>パラメータの相関係数 r</source>
        <translation>Correlation coefficients r of the parameters</translation>
    </message>
    <message>
        <source>チェックを外したピークは Williamson–Hall 解析から除きます</source>
        <translation>Unchecked peaks are left out of the Williamson–Hall analysis</translation>
    </message>
    <message>
        <source>ピーク %1 を削除</source>
        <translation>Remove peak %1</translation>
    </message>
    <message>
        <source>位置の列見出しをクリックすると位置の順に並べます</source>
        <translation>Click the position header to sort the rows by position</translation>
    </message>
    <message>
        <source>位置の順に並べる</source>
        <translation>Sort by Position</translation>
    </message>
    <message>
        <source>固定を解除</source>
        <translation>Free</translation>
    </message>
    <message>
        <source>固定</source>
        <translation>Fix</translation>
    </message>
    <message>
        <source>範囲を設定...</source>
        <translation>Set Bounds...</translation>
    </message>
    <message>
        <source>範囲を解除</source>
        <translation>Clear Bounds</translation>
    </message>
    <message>
        <source>ピーク %1: %2</source>
        <translation>Peak %1: %2</translation>
    </message>
    <message>
        <source>幅を共通にする</source>
        <translation>Share Width</translation>
    </message>
    <message>
        <source>形状パラメータを共通にする</source>
        <translation>Share Shape Parameter</translation>
    </message>
    <message>
        <source>範囲: %1 〜 %2</source>
        <translation>Range: %1 to %2</translation>
    </message>
    <message>
        <source>全ピークで共通</source>
        <translation>Shared by all peaks</translation>
    </message>
    <message>
        <source>
バックグラウンド: チェビシェフ %1 次 (%2〜%3)</source>
        <translation>
Background: Chebyshev series of order %1 (%2 to %3)</translation>
    </message>
</context>
<context>
    <name>PlotWidget</name>
    <message>
        <source>ピーク %1 を削除</source>
        <translation>Remove peak %1</translation>
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
    <message>
        <source>使えるピークが2本未満のため、求められません</source>
        <translation>Fewer than two usable peaks: nothing to fit</translation>
    </message>
    <message>
        <source>結晶子径 D = %1
微小ひずみ ε = %2
換算χ² = %3 (%4 本)</source>
        <translation>Crystallite size D = %1
Microstrain ε = %2
Reduced χ² = %3 (%4 peaks)</translation>
    </message>
    <message>
        <source>Williamson–Hall: β cos θ (rad)</source>
        <translation>Williamson–Hall: β cos θ (rad)</translation>
    </message>
    <message>
        <source>4 sin θ</source>
        <translation>4 sin θ</translation>
    </message>
    <message>
        <source>
不確かさは点のばらつきに合わせて √(換算χ²) 倍しています</source>
        <translation>
Uncertainties are multiplied by √(reduced χ²) to match the points&apos; scatter</translation>
    </message>
    <message>
        <source>FWHM² = U·tan²θ + V·tanθ + W
U = %1
V = %2
W = %3
範囲 2θ = %4 – %5°、%6 本、換算χ² = %7</source>
        <translation>FWHM² = U·tan²θ + V·tanθ + W
U = %1
V = %2
W = %3
Range 2θ = %4 – %5°, %6 peaks, reduced χ² = %7</translation>
    </message>
    <message>
        <source>
%1 = %2 + %3·2θ</source>
        <translation>
%1 = %2 + %3·2θ</translation>
    </message>
    <message>
        <source>
標準試料: %1  λ = %2 Å  %3</source>
        <translation>
Standard: %1  λ = %2 Å  %3</translation>
    </message>
    <message>
        <source>立方晶</source>
        <translation>Cubic</translation>
    </message>
    <message>
        <source>正方晶</source>
        <translation>Tetragonal</translation>
    </message>
    <message>
        <source>六方晶</source>
        <translation>Hexagonal</translation>
    </message>
    <message>
        <source>斜方晶</source>
        <translation>Orthorhombic</translation>
    </message>
    <message>
        <source>零点 = %1°</source>
        <translation>Zero shift = %1°</translation>
    </message>
    <message>
        <source>試料変位 = %1 mm</source>
        <translation>Displacement = %1 mm</translation>
    </message>
    <message>
        <source>χ² = %1、換算χ² = %2、%3 本</source>
        <translation>χ² = %1, reduced χ² = %2, %3 peaks</translation>
    </message>
    <message>
        <source>相関 r(%1, %2) = %3</source>
        <translation>Correlation r(%1, %2) = %3</translation>
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
    <name>SeriesXChooser</name>
    <message>
        <source>ファイル番号</source>
        <translation>File index</translation>
    </message>
    <message>
        <source>ファイル名の順</source>
        <translation>File name order</translation>
    </message>
    <message>
        <source>ファイル名の数値</source>
        <translation>Number in file name</translation>
    </message>
    <message>
        <source>グラフの横軸にとるもの</source>
        <translation>What the plot&apos;s horizontal axis shows</translation>
    </message>
    <message>
        <source>ファイル名から数値を取り出す正規表現。最初の ( ) の中が数値になる（例: _(\d+)C で NaCl_300C.xy から 300）</source>
        <translation>A regular expression that finds the number in the file name: its first ( ) group is the number (for example _(\d+)C gives 300 for NaCl_300C.xy)</translation>
    </message>
    <message>
        <source>横軸</source>
        <translation>X</translation>
    </message>
    <message>
        <source>ファイル名の数値 (%1)</source>
        <translation>Number in file name (%1)</translation>
    </message>
    <message>
        <source>ファイル番号 (index)</source>
        <translation>File number (index)</translation>
    </message>
    <message>
        <source>測定開始時刻</source>
        <translation>Scan start time</translation>
    </message>
    <message>
        <source>ファイルのヘッダーにある測定開始時刻 (XRDML, BRML, RASX, RAS, UXD, RAW v3・v4)。最初のスキャンからの分</source>
        <translation>When each scan began, as the file header states it (XRDML, BRML, RASX, RAS, UXD, RAW v3 and v4), in minutes after the first scan</translation>
    </message>
    <message>
        <source>最初のスキャンの開始からの時間 (分)</source>
        <translation>Time since the first scan began (min)</translation>
    </message>
</context>
<context>
    <name>SessionKeeper</name>
    <message>
        <source>セッションを保存</source>
        <translation>Save Session</translation>
    </message>
    <message>
        <source>tav セッション (*.tav)</source>
        <translation>tav sessions (*.tav)</translation>
    </message>
    <message>
        <source>セッションを開く</source>
        <translation>Open Session</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>フィット結果をデータで書き出す</source>
        <translation>Export Fit as Data</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>タブ区切り (*.tsv *.txt)</source>
        <translation>Tab-separated (*.tsv *.txt)</translation>
    </message>
    <message>
        <source>保存していない作業があります。終了する前にセッションとして保存しますか?</source>
        <translation>There is work that is not saved. Save it as a session before quitting?</translation>
    </message>
    <message>
        <source>前回の tav が終了する前の作業が残っています (%1 に自動保存)。復元しますか?</source>
        <translation>Work from a tav that ended unexpectedly was kept (saved automatically at %1). Restore it?</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>破棄</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>後で</source>
        <translation>Later</translation>
    </message>
</context>
<context>
    <name>ViewStyleMenu</name>
    <message>
        <source>軸の名前</source>
        <translation>Axis Titles</translation>
    </message>
    <message>
        <source>軸の名前と単位を描く</source>
        <translation>Draws the axes&apos; names and units</translation>
    </message>
    <message>
        <source>凡例</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>データと曲線の凡例を描く</source>
        <translation>Draws a legend of the data and the curves</translation>
    </message>
    <message>
        <source>標準表示</source>
        <translation>Classic View</translation>
    </message>
    <message>
        <source>従来どおりの固定した大きさのプロット</source>
        <translation>The classic plot of a fixed size</translation>
    </message>
    <message>
        <source>見やすい表示</source>
        <translation>Modern View</translation>
    </message>
    <message>
        <source>目盛り・グリッド・軸の名前・凡例・残差を描き、プロットをウィンドウに合わせる</source>
        <translation>Draws ticks, grid, axis titles, legend and residuals, and fits the plot to the window</translation>
    </message>
    <message>
        <source>表示 → 見やすい表示 で、目盛り・軸の名前・凡例のある見やすい表示になります</source>
        <translation>View → Modern View gives a plot with ticks, axis titles and a legend</translation>
    </message>
</context>
<context>
    <name>WilliamsonHallPanel</name>
    <message>
        <source>プロット...</source>
        <translation>Plot...</translation>
    </message>
    <message>
        <source>半値幅</source>
        <translation>FWHM</translation>
    </message>
    <message>
        <source>積分幅</source>
        <translation>Integral breadth</translation>
    </message>
    <message>
        <source>Williamson–Hall 解析に使う幅</source>
        <translation>The breadth the Williamson–Hall analysis uses</translation>
    </message>
</context>
<context>
    <name>WilliamsonHallWindow</name>
    <message>
        <source>Williamson–Hall プロット</source>
        <translation>Williamson–Hall Plot</translation>
    </message>
    <message>
        <source>図を保存...</source>
        <translation>Save Plot...</translation>
    </message>
    <message>
        <source>図を保存</source>
        <translation>Save Plot</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png);;SVG 画像 (*.svg)</source>
        <translation>PNG images (*.png);;SVG images (*.svg)</translation>
    </message>
    <message>
        <source>保存できません: %1 (%2)</source>
        <translation>Cannot save %1 (%2)</translation>
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
    <message>
        <source>表示範囲にピークは見つかりませんでした</source>
        <translation>No peaks were found in the display range</translation>
    </message>
    <message>
        <source>ピーク %1: 高さが正でないため、Williamson–Hall 解析から除きました</source>
        <translation>Peak %1: left out of the Williamson–Hall analysis because its height is not positive</translation>
    </message>
    <message>
        <source>ピーク %1: 試料の幅が求められないため、Williamson–Hall 解析から除きました</source>
        <translation>Peak %1: left out of the Williamson–Hall analysis because its sample breadth is unknown</translation>
    </message>
    <message>
        <source>ピーク %1: β cos θ の不確かさが不明のため、Williamson–Hall 解析から除きました</source>
        <translation>Peak %1: left out of the Williamson–Hall analysis because the uncertainty of β cos θ is unknown</translation>
    </message>
    <message>
        <source>切片が正でない（ひずみによる広がりが支配的）ため、結晶子径は求められません</source>
        <translation>No crystallite size: the intercept is not positive (strain broadening dominates)</translation>
    </message>
    <message>
        <source>%1 が生データを指していません</source>
        <translation>%1 does not point to the raw data</translation>
    </message>
    <message>
        <source>&lt;Datum&gt; の行が &quot;時間,?,2θ,θ,強度&quot; ではありません</source>
        <translation>a &lt;Datum&gt; row is not &quot;time,?,2θ,θ,intensity&quot;</translation>
    </message>
    <message>
        <source>&lt;Datum&gt; がありません</source>
        <translation>no &lt;Datum&gt;</translation>
    </message>
    <message>
        <source>RASX・BRML のデータがない zip アーカイブ</source>
        <translation>a zip archive without RASX or BRML data</translation>
    </message>
    <message>
        <source>壊れた zip アーカイブ</source>
        <translation>a damaged zip archive</translation>
    </message>
    <message>
        <source>XML 文書</source>
        <translation>an XML document</translation>
    </message>
    <message>
        <source>ルート要素が %1 の XML 文書</source>
        <translation>an XML document with the root element %1</translation>
    </message>
    <message>
        <source>形式の分からないバイナリファイル</source>
        <translation>a binary file of unknown format</translation>
    </message>
    <message>
        <source>大きすぎます (%1 バイトまで)</source>
        <translation>too large (at most %1 bytes)</translation>
    </message>
    <message>
        <source>%1 は装置のファイル形式ではありません</source>
        <translation>%1 is not an instrument file format</translation>
    </message>
    <message>
        <source>%1 点目が有限の数ではありません</source>
        <translation>point %1 is not a finite number</translation>
    </message>
    <message>
        <source>データ点がありません</source>
        <translation>no data points</translation>
    </message>
    <message>
        <source>点 %1 の</source>
        <translation>point %1 </translation>
    </message>
    <message>
        <source>保存できません: %1が有限の数ではありません (%2)</source>
        <translation>Cannot save: %1 is not a finite number (%2)</translation>
    </message>
    <message>
        <source>強度</source>
        <translation>intensity</translation>
    </message>
    <message>
        <source>開始値</source>
        <translation>start</translation>
    </message>
    <message>
        <source>ステップ</source>
        <translation>step</translation>
    </message>
    <message>
        <source>終了値</source>
        <translation>stop</translation>
    </message>
    <message>
        <source>%1 行目が &quot;2θ 強度 減衰率&quot; の行ではありません</source>
        <translation>line %1 is not a &quot;2θ intensity attenuation&quot; line</translation>
    </message>
    <message>
        <source>%1 行目: *RAS_INT_END の前に次のスキャンがあります</source>
        <translation>line %1: the next scan begins before *RAS_INT_END</translation>
    </message>
    <message>
        <source>*RAS_DATA_START がありません</source>
        <translation>no *RAS_DATA_START</translation>
    </message>
    <message>
        <source>*RAS_INT_START がありません</source>
        <translation>no *RAS_INT_START</translation>
    </message>
    <message>
        <source>データが *RAS_INT_END の前で終わっています</source>
        <translation>the data end before *RAS_INT_END</translation>
    </message>
    <message>
        <source>%1 の %2 行目が &quot;2θ 強度 減衰率&quot; の行ではありません</source>
        <translation>line %2 of %1 is not a &quot;2θ intensity attenuation&quot; line</translation>
    </message>
    <message>
        <source>%1 にデータ点がありません</source>
        <translation>no data points in %1</translation>
    </message>
    <message>
        <source>アーカイブに %1 がありません</source>
        <translation>the archive has no %1</translation>
    </message>
    <message>
        <source>%1 が大きすぎます (%2 バイト)</source>
        <translation>%1 is too large (%2 bytes)</translation>
    </message>
    <message>
        <source>%1 の XML が壊れています (%2, %3 バイト目)</source>
        <translation>the XML of %1 is damaged (%2, at byte %3)</translation>
    </message>
    <message>
        <source>&lt;%1&gt; がありません</source>
        <translation>no &lt;%1&gt;</translation>
    </message>
    <message>
        <source>&lt;%1&gt; に数値でないものがあります</source>
        <translation>&lt;%1&gt; holds something that is not a number</translation>
    </message>
    <message>
        <source>&lt;intensities&gt; も &lt;counts&gt; もありません</source>
        <translation>neither &lt;intensities&gt; nor &lt;counts&gt;</translation>
    </message>
    <message>
        <source>&lt;beamAttenuationFactors&gt; の数がデータ点の数と違います</source>
        <translation>the number of &lt;beamAttenuationFactors&gt; differs from the number of data points</translation>
    </message>
    <message>
        <source>2Theta の &lt;positions&gt; がありません</source>
        <translation>no &lt;positions&gt; of 2Theta</translation>
    </message>
    <message>
        <source>&lt;listPositions&gt; の数がデータ点の数と違います</source>
        <translation>the number of &lt;listPositions&gt; differs from the number of data points</translation>
    </message>
    <message>
        <source>2Theta の開始・終了位置が読めません</source>
        <translation>the start and end positions of 2Theta cannot be read</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>the file</translation>
    </message>
    <message>
        <source>&lt;xrdMeasurements&gt; がありません</source>
        <translation>no &lt;xrdMeasurements&gt;</translation>
    </message>
    <message>
        <source>アーカイブの %1 を展開できません</source>
        <translation>cannot extract %1 from the archive</translation>
    </message>
    <message>
        <source>zip アーカイブとして読めません (%1)</source>
        <translation>cannot be read as a zip archive (%1)</translation>
    </message>
    <message>
        <source>%1 の大きさがアーカイブの目録と合いません</source>
        <translation>the size of %1 does not match the archive directory</translation>
    </message>
    <message>
        <source>ピーク %1 の</source>
        <translation>peak %1 </translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>height</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>position</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>width</translation>
    </message>
    <message>
        <source>指数</source>
        <translation>exponent</translation>
    </message>
    <message>
        <source>背景の傾き</source>
        <translation>background slope</translation>
    </message>
    <message>
        <source>背景の切片</source>
        <translation>background intercept</translation>
    </message>
    <message>
        <source>フィットデータ %1 行目の</source>
        <translation>fit data row %1: </translation>
    </message>
    <message>
        <source>値</source>
        <translation>value</translation>
    </message>
    <message>
        <source>合計</source>
        <translation>total</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>background</translation>
    </message>
    <message>
        <source> X </source>
        <translation>X</translation>
    </message>
    <message>
        <source>ガウス関数</source>
        <translation>Gaussian</translation>
    </message>
    <message>
        <source>ローレンツ関数</source>
        <translation>Lorentzian</translation>
    </message>
    <message>
        <source>擬フォークト関数</source>
        <translation>Pseudo-Voigt</translation>
    </message>
    <message>
        <source>ピアソンVII関数</source>
        <translation>Pearson VII</translation>
    </message>
    <message>
        <source>分割擬フォークト関数</source>
        <translation>Split pseudo-Voigt</translation>
    </message>
    <message>
        <source>左の η</source>
        <translation>left η</translation>
    </message>
    <message>
        <source>右の幅</source>
        <translation>right width</translation>
    </message>
    <message>
        <source>右の η</source>
        <translation>right η</translation>
    </message>
    <message>
        <source>&lt;Datum&gt; の行の値が %1 個しかなく、2θ と強度が揃いません</source>
        <translation>a &lt;Datum&gt; row has only %1 values, lacking 2θ or the count</translation>
    </message>
    <message>
        <source>&lt;Datum&gt; の行の値の数が最初の行 (%1 個) と違います (%2 個)</source>
        <translation>a &lt;Datum&gt; row has %2 values where the first row has %1</translation>
    </message>
    <message>
        <source>&lt;%1&gt; の数値の間に要素 &lt;%2&gt; があります</source>
        <translation>an element &lt;%2&gt; stands among the numbers of &lt;%1&gt;</translation>
    </message>
    <message>
        <source>&lt;%1&gt; にコンマがあります (数値は空白で区切られ、小数点はピリオドです)</source>
        <translation>&lt;%1&gt; holds a comma (its numbers are separated by blanks, with a decimal point)</translation>
    </message>
    <message>
        <source>強度がバックグラウンドの推定のあとで変わっています。推定し直してから差し引いてください</source>
        <translation>The intensities changed after the background was estimated. Estimate it again before subtracting it</translation>
    </message>
    <message>
        <source>%1 からデータを %2 行読み込みました。その先にもデータがあります (自動判別で開くとファイル全体を読み込みます)</source>
        <translation>Read %2 data lines of %1; the file holds more data (Detect automatically reads the whole file)</translation>
    </message>
    <message>
        <source>シリーズが読むファイル %1 です</source>
        <translation>it is %1, a file the series reads</translation>
    </message>
    <message>
        <source>σ の重みには標準不確かさのあるプロファイル (XYE の 3 列目) が必要です</source>
        <translation>σ weights need a profile with standard uncertainties (the third column of an XYE file)</translation>
    </message>
    <message>
        <source>σ が正の数でない %1 点をフィットから外しました</source>
        <translation>%1 points whose σ is not a positive number were left out of the fit</translation>
    </message>
    <message>
        <source>標準不確かさは単位重みのフィットによるもので、χ²/(N−P) で尺度化しています</source>
        <translation>Standard uncertainties are from a fit with unit weights, scaled by χ²/(N−P)</translation>
    </message>
    <message>
        <source>強度は計数のようです: 計数統計の重み (weights counts) で計数データに見合った不確かさが得られます</source>
        <translation>The intensities look like counts: counting-statistics weights (weights counts) give honest uncertainties for count data</translation>
    </message>
    <message>
        <source>標準不確かさは計数統計の重み (σ² = N + 1) による (JᵀWJ)⁻¹ そのものです</source>
        <translation>Standard uncertainties are (JᵀWJ)⁻¹ itself, with counting-statistics weights (σ² = N + 1)</translation>
    </message>
    <message>
        <source>標準不確かさはプロファイルの σ を重みとする (JᵀWJ)⁻¹ そのものです</source>
        <translation>Standard uncertainties are (JᵀWJ)⁻¹ itself, with the profile&apos;s σ as weights</translation>
    </message>
    <message>
        <source>gof = %1: モデルはデータを雑音の範囲内で表していません</source>
        <translation>gof = %1: the model does not describe the data within their noise</translation>
    </message>
    <message>
        <source>%1 と %2 の相関が %3 です: データからはほとんど区別できません</source>
        <translation>%1 and %2 are correlated by %3: the data hardly tell them apart</translation>
    </message>
    <message>
        <source>（未保存）</source>
        <translation>(not saved)</translation>
    </message>
    <message>
        <source>ピーク %1 は位置か半値幅の不確かさが不明のため、校正セットに加えません</source>
        <translation>Peaks %1 are not added to the calibration set: the uncertainty of their position or FWHM is unknown</translation>
    </message>
    <message>
        <source>校正セットにピーク %1 はありません</source>
        <translation>The calibration set has no peak %1</translation>
    </message>
    <message>
        <source>保存する装置関数がありません</source>
        <translation>There is no instrument function to save</translation>
    </message>
    <message>
        <source>%1 を保存できません: %2</source>
        <translation>Cannot save %1: %2</translation>
    </message>
    <message>
        <source>装置関数ファイル %1 を読めません: %2</source>
        <translation>Cannot read the instrument file %1: %2</translation>
    </message>
    <message>
        <source>装置関数がないため使えません（calibrate fit か instrument load で用意してください）</source>
        <translation>There is no instrument function to use (make one with calibrate fit or instrument load)</translation>
    </message>
    <message>
        <source>相の格子が設定されていないため、格子定数は精密化できません</source>
        <translation>No phase cell is set, so the lattice parameters cannot be refined</translation>
    </message>
    <message>
        <source>零点とずれが精密化されていないため、位置を補正できません</source>
        <translation>The zero shift and displacement have not been refined, so positions cannot be corrected</translation>
    </message>
    <message>
        <source>ピーク %1 はありません</source>
        <translation>There is no peak %1</translation>
    </message>
    <message>
        <source>ピーク %1: 指定により Williamson–Hall 解析から除きました</source>
        <translation>Peak %1: left out of the Williamson–Hall analysis as asked</translation>
    </message>
    <message>
        <source>ピーク %1: 相の hkl が付かないため、Williamson–Hall 解析から除きました</source>
        <translation>Peak %1: left out of the Williamson–Hall analysis: no hkl of the phase</translation>
    </message>
    <message>
        <source>半値幅とその不確かさが求められたピークが 3 本未満のため、装置関数は求められません</source>
        <translation>Fewer than 3 peaks have a known FWHM and uncertainty, so no instrument function can be fitted</translation>
    </message>
    <message>
        <source>ピークの角度が近すぎて U, V, W が定まらない（特異な）ため、装置関数は求められません</source>
        <translation>The peaks do not determine U, V and W (singular fit), so no instrument function can be fitted</translation>
    </message>
    <message>
        <source>求めた関数の半値幅の 2 乗が校正範囲で正にならないため、装置関数として使えません</source>
        <translation>The fitted FWHM squared is not positive over the calibrated range, so it cannot be used as an instrument function</translation>
    </message>
    <message>
        <source>波長が不明のため、格子定数は精密化できません</source>
        <translation>The wavelength is unknown, so the lattice parameters cannot be refined</translation>
    </message>
    <message>
        <source>ゴニオメータ半径が設定されていないため、試料変位は精密化できません</source>
        <translation>No goniometer radius is set, so the specimen displacement cannot be refined</translation>
    </message>
    <message>
        <source>指数の付いたピークが精密化するパラメータの数より少ないため、格子定数は精密化できません</source>
        <translation>Fewer indexed peaks than refined parameters, so the lattice parameters cannot be refined</translation>
    </message>
    <message>
        <source>ピークからパラメータが定まらない（特異な）ため、格子定数は精密化できません</source>
        <translation>The peaks do not determine the parameters (singular fit), so the lattice parameters cannot be refined</translation>
    </message>
    <message>
        <source>精密化が収束しないため、格子定数は求められません</source>
        <translation>The refinement does not converge, so no lattice parameters</translation>
    </message>
    <message>
        <source>装置の半値幅は装置関数 %1 から各ピークの角度で求めています</source>
        <translation>The instrumental FWHM is taken from the instrument function %1 at each peak&apos;s angle</translation>
    </message>
    <message>
        <source>装置関数の校正範囲 2θ %1〜%2° の外にあり、装置の半値幅は外挿した値です</source>
        <translation>outside the instrument function&apos;s calibrated range 2θ %1–%2°; its instrumental FWHM is extrapolated</translation>
    </message>
    <message>
        <source>%1 の %2 スキャンのうちスキャン %3 を読み込みました</source>
        <translation>%1: read scan %3 of %2</translation>
    </message>
    <message>
        <source>%1 の X は 2θ ではなく %2 (%3) です。面間隔と結晶子サイズは求めません</source>
        <translation>X of %1 is not 2θ but %2 (%3); no d-spacings or crystallite sizes</translation>
    </message>
    <message>
        <source>4 行のヘッダーがありません</source>
        <translation>no four header lines</translation>
    </message>
    <message>
        <source>4 行目に点の数がありません</source>
        <translation>line 4 holds no point count</translation>
    </message>
    <message>
        <source>%1 行目が &quot;X Y&quot; の行ではありません</source>
        <translation>line %1 is not an &quot;X Y&quot; line</translation>
    </message>
    <message>
        <source>%1 行目の BANK 行が読めません</source>
        <translation>the BANK line at line %1 cannot be read</translation>
    </message>
    <message>
        <source>%1 行目: 飛行時間 (%2) のバンクは読めません</source>
        <translation>line %1: time-of-flight banks (%2) are not read</translation>
    </message>
    <message>
        <source>%1 行目: データの型 %2 は読めません</source>
        <translation>line %1: the data type %2 is not read</translation>
    </message>
    <message>
        <source>%1 行目: 刻みの型 %2 は読めません</source>
        <translation>line %1: the binning %2 is not read</translation>
    </message>
    <message>
        <source>%1 行目 %2 桁目が数値ではありません</source>
        <translation>line %1, column %2 is not a number</translation>
    </message>
    <message>
        <source>%1 行目が数値の行ではありません</source>
        <translation>line %1 is not a line of numbers</translation>
    </message>
    <message>
        <source>BANK 行がありません</source>
        <translation>no BANK line</translation>
    </message>
    <message>
        <source>スキャン %1 はありません (ファイルのスキャンは %2 個です)</source>
        <translation>there is no scan %1 (the file holds %2 scans)</translation>
    </message>
    <message>
        <source>ファイルがヘッダーの途中で終わっています</source>
        <translation>the file ends within a header</translation>
    </message>
    <message>
        <source>範囲 %1 のヘッダーの長さ %2 が短すぎます</source>
        <translation>the header length %2 of range %1 is too short</translation>
    </message>
    <message>
        <source>%1 バイト目のレコードの長さが不正です</source>
        <translation>the record at byte %1 has an invalid length</translation>
    </message>
    <message>
        <source>範囲 %1 のデータの大きさ %2 バイトは読めません</source>
        <translation>data records of %2 bytes in range %1 are not read</translation>
    </message>
    <message>
        <source>Bruker RAW の先頭のバイトがありません</source>
        <translation>the Bruker RAW signature is missing</translation>
    </message>
    <message>
        <source>範囲がありません</source>
        <translation>no ranges</translation>
    </message>
    <message>
        <source>ファイルが範囲 %1 のヘッダーの途中で終わっています</source>
        <translation>the file ends within the header of range %1</translation>
    </message>
    <message>
        <source>%1: %2 %3 %4、%5 点</source>
        <translation>%1: %2 %3 %4, %5 points</translation>
    </message>
    <message>
        <source>%1 行目: 範囲に _START (_2THETA) と _STEPSIZE がありません</source>
        <translation>line %1: the range has no _START (_2THETA) and _STEPSIZE</translation>
    </message>
    <message>
        <source>_COUNTS や _2THETACOUNTS のデータがありません</source>
        <translation>no _COUNTS or _2THETACOUNTS data</translation>
    </message>
    <message>
        <source>ピークが %1 本置かれているため、表を %2 本にはできません</source>
        <translation>%1 peaks are placed: the table cannot be made %2 peaks long</translation>
    </message>
    <message>
        <source>%1 = %2 は固定されているか境界にあります (fixed)</source>
        <translation>%1 = %2 is fixed or held on a bound (fixed)</translation>
    </message>
    <message>
        <source>ピーク表がいっぱいです (%1 本): max-peaks で増やせます</source>
        <translation>The peak table is full (%1 peaks): max-peaks makes it longer</translation>
    </message>
    <message>
        <source>表示範囲の点が少なすぎて、バックグラウンドを推定できません</source>
        <translation>Too few points in the display range to estimate a background</translation>
    </message>
    <message>
        <source>%1 の X は 2θ ではなく Q (%2) です。面間隔は 2π/Q から求め、結晶子サイズは求めません</source>
        <translation>X of %1 is Q (%2), not 2θ: d-spacings are taken as 2π/Q and no crystallite sizes are given</translation>
    </message>
    <message>
        <source>X が Q のため、面間隔は d = 2π/Q から求め、結晶子径は求めません</source>
        <translation>X is Q: d-spacings are d = 2π/Q, and crystallite sizes are not computed</translation>
    </message>
    <message>
        <source>X が 2θ ではなく %1 のため、面間隔と結晶子径は求められません</source>
        <translation>X is %1, not 2θ: no d-spacings or crystallite sizes</translation>
    </message>
    <message>
        <source>位置 Q = %1 が正でないため、面間隔は求められません</source>
        <translation>position Q = %1 is not positive: no d-spacing</translation>
    </message>
    <message>
        <source>%1 の %2 番目の値が数ではありません</source>
        <translation>value %2 of %1 is not a number</translation>
    </message>
    <message>
        <source>%1_min, _max, _inc が %2 点の範囲になっていません</source>
        <translation>%1_min, _max and _inc do not span %2 points</translation>
    </message>
    <message>
        <source>%1 の値の数が強度の数 (%2) と違います</source>
        <translation>%1 has another number of values than the intensities (%2)</translation>
    </message>
    <message>
        <source>2θ (_pd_proc_2theta_*, _pd_meas_2theta_*) がありません</source>
        <translation>no 2θ (_pd_proc_2theta_*, _pd_meas_2theta_*)</translation>
    </message>
    <message>
        <source>CIF として読めません: %1</source>
        <translation>not readable as CIF: %1</translation>
    </message>
    <message>
        <source>粉末回折の強度 (_pd_meas_*, _pd_proc_*) がありません</source>
        <translation>no powder diffraction intensities (_pd_meas_*, _pd_proc_*)</translation>
    </message>
    <message>
        <source>この版は CIF を読めません (CIF のパーサーなしでビルドされています)</source>
        <translation>This build cannot read CIF files (it was built without the CIF parser)</translation>
    </message>
    <message>
        <source>%1 がありません</source>
        <translation>%1 is missing</translation>
    </message>
    <message>
        <source>%1 の値が正しくありません</source>
        <translation>%1 has a wrong value</translation>
    </message>
    <message>
        <source>%1 が範囲外です (%2)</source>
        <translation>%1 is out of range (%2)</translation>
    </message>
    <message>
        <source>%1 が不明です: %2</source>
        <translation>%1 is unknown: %2</translation>
    </message>
    <message>
        <source>セッションを開けません: %1 (%2)</source>
        <translation>Cannot open the session: %1 (%2)</translation>
    </message>
    <message>
        <source>新しい版のセッションファイルです (版 %1; 読めるのは版 %2 まで)</source>
        <translation>The session file is of a newer version (version %1; this program reads up to version %2)</translation>
    </message>
    <message>
        <source>プロファイルがセッションの保存後に変わっています: %1
フィットはこのデータのものではないかもしれません</source>
        <translation>The profile has changed since the session was saved: %1
The fit may not belong to these data</translation>
    </message>
    <message>
        <source>プロファイルが見つかりません: %1</source>
        <translation>Profile not found: %1</translation>
    </message>
    <message>
        <source>JSON として読めません (%1 バイト目)</source>
        <translation>Not readable as JSON (at byte %1)</translation>
    </message>
    <message>
        <source>tav のセッションファイルではありません</source>
        <translation>Not a tav session file</translation>
    </message>
    <message>
        <source>読み込めません</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>%1 回の反復で収束しました</source>
        <translation>converged in %1 steps</translation>
    </message>
    <message>
        <source>%1 回の反復で収束していません</source>
        <translation>not converged after %1 steps</translation>
    </message>
    <message>
        <source>%1 でフィット: χ² = %2、%3</source>
        <translation>%1 fit: χ² = %2, %3</translation>
    </message>
    <message>
        <source>ピーク 1 の高さ: %1</source>
        <translation>Height of peak 1: %1</translation>
    </message>
    <message>
        <source>強度 (カウント)</source>
        <translation>Intensity (counts)</translation>
    </message>
    <message>
        <source>データ</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>モデル</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>成分</source>
        <translation>Components</translation>
    </message>
    <message>
        <source>バックグラウンド</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>残差 (下段)</source>
        <translation>Residuals (below)</translation>
    </message>
    <message>
        <source>推定バックグラウンド</source>
        <translation>Estimated background</translation>
    </message>
    <message>
        <source>背景の %1</source>
        <translation>background %1</translation>
    </message>
    <message>
        <source>ファイル名にワイルドカード文字 (*, ?, [) があります</source>
        <translation>wildcard character in the file name</translation>
    </message>
    <message>
        <source>横軸が 2θ ではないプロファイル (%1 %2) のピーク位置は校正や指数付けに使えません</source>
        <translation>Peak positions of a profile whose X is not 2θ (%1 %2) cannot be used for calibration or indexing</translation>
    </message>
</context>
</TS>
