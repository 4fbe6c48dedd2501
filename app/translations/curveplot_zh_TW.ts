<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>TApplication</name>
    <message>
        <source>Error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>Not enough memory</source>
        <translation>記憶體不足</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>未預期的錯誤</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Not enough memory to plot %1 points</source>
        <translation>記憶體不足，無法繪製 %1 個點</translation>
    </message>
</context>
<context>
    <name>chart::ChartAccessible</name>
    <message>
        <source>no points</source>
        <translation>沒有點</translation>
    </message>
    <message>
        <source>1 point, value %1</source>
        <translation>1 個點，值為 %1</translation>
    </message>
    <message>
        <source>%1 points, all %2</source>
        <translation>%1 個點，皆為 %2</translation>
    </message>
    <message>
        <source>%1 points, values %2 to %3</source>
        <translation>%1 個點，值從 %2 到 %3</translation>
    </message>
    <message>
        <source>showing none of %1 points</source>
        <translation>%1 個點皆未顯示</translation>
    </message>
    <message>
        <source>showing points %1 to %2 of %3</source>
        <translation>顯示第 %1 至 %2 個點（共 %3 個）</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>no series shown</source>
        <translation>未顯示任何數列</translation>
    </message>
    <message>
        <source>; </source>
        <translation>；</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>圖表</translation>
    </message>
</context>
<context>
    <name>chart::ChartCommands</name>
    <message>
        <source>Too many points to copy (%1): zoom in to %2 or fewer</source>
        <translation>要複製的點太多（%1 個）：請放大到 %2 個或更少</translation>
    </message>
    <message>
        <source>PNG image, twice the size (*.png)</source>
        <translation>PNG 影像，兩倍大小 (*.png)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG 影像 (*.png)</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>SVG 向量圖 (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <source>Save image</source>
        <translation>儲存影像</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>圖表</translation>
    </message>
    <message>
        <source>name it .png, .svg or .pdf to choose the format</source>
        <translation>請將其命名為 .png、.svg 或 .pdf 以選擇格式</translation>
    </message>
    <message>
        <source>name it .png or .pdf to choose the format</source>
        <translation>請將其命名為 .png 或 .pdf 以選擇格式</translation>
    </message>
    <message>
        <source>1 point</source>
        <translation>1 個點</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1 個點</translation>
    </message>
    <message>
        <source>Save data: all %1</source>
        <translation>儲存資料：全部 %1</translation>
    </message>
    <message>
        <source>Save data: %1 in view</source>
        <translation>儲存資料：檢視中的 %1</translation>
    </message>
    <message>
        <source>CSV, comma-separated (*.csv)</source>
        <translation>CSV，逗號分隔 (*.csv)</translation>
    </message>
    <message>
        <source>TSV, tab-separated (*.tsv)</source>
        <translation>TSV，定位字元分隔 (*.tsv)</translation>
    </message>
    <message>
        <source>points</source>
        <translation>點</translation>
    </message>
    <message>
        <source>name it .csv (comma-separated) or .tsv (tab-separated)</source>
        <translation>請將其命名為 .csv（逗號分隔）或 .tsv（定位字元分隔）</translation>
    </message>
    <message>
        <source>Save data</source>
        <translation>儲存資料</translation>
    </message>
    <message>
        <source>Saving %1…</source>
        <translation>正在儲存 %1…</translation>
    </message>
    <message>
        <source>Stop saving %1 and close the window?

The file is then not written, and a file of that name keeps its content.</source>
        <translation>停止儲存 %1 並關閉視窗嗎？

這樣檔案不會被寫入，同名的既有檔案保留原有內容。</translation>
    </message>
</context>
<context>
    <name>chart::ChartExport</name>
    <message>
        <source>the chart has no size to draw</source>
        <translation>圖表沒有可繪製的大小</translation>
    </message>
    <message>
        <source>the PNG image cannot be made: %1</source>
        <translation>無法產生 PNG 影像：%1</translation>
    </message>
    <message>
        <source>the chart cannot be drawn</source>
        <translation>無法繪製圖表</translation>
    </message>
    <message>
        <source>Cannot print: the printer cannot be opened</source>
        <translation>無法列印：無法開啟印表機</translation>
    </message>
</context>
<context>
    <name>chart::ChartMenu</name>
    <message>
        <source>Previous view</source>
        <translation>上一個檢視</translation>
    </message>
    <message>
        <source>Next view</source>
        <translation>下一個檢視</translation>
    </message>
    <message>
        <source>View range…</source>
        <translation>檢視範圍…</translation>
    </message>
    <message>
        <source>Reset view</source>
        <translation>重設檢視</translation>
    </message>
    <message>
        <source>Copy data</source>
        <translation>複製資料</translation>
    </message>
    <message>
        <source>Copy image</source>
        <translation>複製影像</translation>
    </message>
    <message>
        <source>Save image…</source>
        <translation>儲存影像…</translation>
    </message>
    <message>
        <source>Save data…</source>
        <translation>儲存資料…</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>列印…</translation>
    </message>
    <message>
        <source>Print preview…</source>
        <translation>預覽列印…</translation>
    </message>
    <message>
        <source>Show value axis</source>
        <translation>顯示數值軸</translation>
    </message>
</context>
<context>
    <name>chart::ChartPlot</name>
    <message>
        <source>Series taken off the chart; new points are not shown</source>
        <translation>數列已從圖表中移除；新的點不會顯示</translation>
    </message>
    <message>
        <source>No points in view: press Home to show them all</source>
        <translation>檢視中沒有點：按 Home 鍵顯示全部</translation>
    </message>
</context>
<context>
    <name>chart::PointReadout</name>
    <message>
        <source>%1  label %2  value %3</source>
        <translation>%1  標籤 %2  值 %3</translation>
    </message>
</context>
<context>
    <name>chart::ViewRangeDialog</name>
    <message>
        <source>First point</source>
        <translation>第一個點</translation>
    </message>
    <message>
        <source>Last point</source>
        <translation>最後一個點</translation>
    </message>
    <message>
        <source>Lowest value</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Highest value</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>View range</source>
        <translation>檢視範圍</translation>
    </message>
    <message>
        <source>%1 must be below %2</source>
        <translation>%1 必須小於%2</translation>
    </message>
    <message>
        <source>%1 to %2: too far apart or too close together to show</source>
        <translation>%1 到%2：相距太遠或太近，無法顯示</translation>
    </message>
</context>
<context>
    <name>conversions::EConvertError</name>
    <message>
        <source>%1 is out of range</source>
        <translation>%1 超出範圍</translation>
    </message>
    <message>
        <source>%1 is too small: it becomes zero</source>
        <translation>%1 太小：會變為零</translation>
    </message>
    <message>
        <source>%1 is not a valid number</source>
        <translation>%1 不是有效的數字</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>toolkit::AtomicFileWriter</name>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>無法儲存 %1：%2</translation>
    </message>
    <message>
        <source>Cannot save: no file name given</source>
        <translation>無法儲存：未指定檔名</translation>
    </message>
    <message>
        <source>the name contains the control character %1</source>
        <translation>檔名包含控制字元 %1</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>檔名太長</translation>
    </message>
    <message>
        <source>the folder does not exist</source>
        <translation>資料夾不存在</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 不是資料夾</translation>
    </message>
    <message>
        <source>no files can be created in the folder</source>
        <translation>無法在該資料夾中建立檔案</translation>
    </message>
</context>
<context>
    <name>toolkit::FormScroller</name>
    <message>
        <source>Scroll the form sideways</source>
        <translation>左右捲動表單</translation>
    </message>
    <message>
        <source>Scroll the form up and down</source>
        <translation>上下捲動表單</translation>
    </message>
</context>
<context>
    <name>toolkit::WorkProgress</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
