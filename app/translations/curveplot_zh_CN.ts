<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>TApplication</name>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Not enough memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>意外错误</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Not enough memory to plot %1 points</source>
        <translation>内存不足，无法绘制 %1 个点</translation>
    </message>
</context>
<context>
    <name>chart::ChartAccessible</name>
    <message>
        <source>no points</source>
        <translation>没有点</translation>
    </message>
    <message>
        <source>1 point, value %1</source>
        <translation>1 个点，值为 %1</translation>
    </message>
    <message>
        <source>%1 points, all %2</source>
        <translation>%1 个点，均为 %2</translation>
    </message>
    <message>
        <source>%1 points, values %2 to %3</source>
        <translation>%1 个点，值从 %2 到 %3</translation>
    </message>
    <message>
        <source>showing none of %1 points</source>
        <translation>%1 个点均未显示</translation>
    </message>
    <message>
        <source>showing points %1 to %2 of %3</source>
        <translation>显示第 %1 至 %2 个点（共 %3 个）</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>no series shown</source>
        <translation>未显示任何序列</translation>
    </message>
    <message>
        <source>; </source>
        <translation>；</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>图表</translation>
    </message>
</context>
<context>
    <name>chart::ChartCommands</name>
    <message>
        <source>Too many points to copy (%1): zoom in to %2 or fewer</source>
        <translation>要复制的点太多（%1 个）：请放大到 %2 个或更少</translation>
    </message>
    <message>
        <source>PNG image, twice the size (*.png)</source>
        <translation>PNG 图像，两倍尺寸 (*.png)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG 图像 (*.png)</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>SVG 矢量图 (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF 文档 (*.pdf)</translation>
    </message>
    <message>
        <source>Save image</source>
        <translation>保存图像</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>图表</translation>
    </message>
    <message>
        <source>name it .png, .svg or .pdf to choose the format</source>
        <translation>请将其命名为 .png、.svg 或 .pdf 以选择格式</translation>
    </message>
    <message>
        <source>name it .png or .pdf to choose the format</source>
        <translation>请将其命名为 .png 或 .pdf 以选择格式</translation>
    </message>
    <message>
        <source>1 point</source>
        <translation>1 个点</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1 个点</translation>
    </message>
    <message>
        <source>Save data: all %1</source>
        <translation>保存数据：全部 %1</translation>
    </message>
    <message>
        <source>Save data: %1 in view</source>
        <translation>保存数据：视图中的 %1</translation>
    </message>
    <message>
        <source>CSV, comma-separated (*.csv)</source>
        <translation>CSV，逗号分隔 (*.csv)</translation>
    </message>
    <message>
        <source>TSV, tab-separated (*.tsv)</source>
        <translation>TSV，制表符分隔 (*.tsv)</translation>
    </message>
    <message>
        <source>points</source>
        <translation>点</translation>
    </message>
    <message>
        <source>name it .csv (comma-separated) or .tsv (tab-separated)</source>
        <translation>请将其命名为 .csv（逗号分隔）或 .tsv（制表符分隔）</translation>
    </message>
    <message>
        <source>Save data</source>
        <translation>保存数据</translation>
    </message>
    <message>
        <source>Saving %1…</source>
        <translation>正在保存 %1…</translation>
    </message>
    <message>
        <source>Stop saving %1 and close the window?

The file is then not written, and a file of that name keeps its content.</source>
        <translation>停止保存 %1 并关闭窗口吗？

这样文件不会被写入，同名的已有文件保持原有内容。</translation>
    </message>
</context>
<context>
    <name>chart::ChartExport</name>
    <message>
        <source>the chart has no size to draw</source>
        <translation>图表没有可绘制的尺寸</translation>
    </message>
    <message>
        <source>the PNG image cannot be made: %1</source>
        <translation>无法生成 PNG 图像：%1</translation>
    </message>
    <message>
        <source>the chart cannot be drawn</source>
        <translation>无法绘制图表</translation>
    </message>
    <message>
        <source>Cannot print: the printer cannot be opened</source>
        <translation>无法打印：无法打开打印机</translation>
    </message>
</context>
<context>
    <name>chart::ChartMenu</name>
    <message>
        <source>Previous view</source>
        <translation>上一个视图</translation>
    </message>
    <message>
        <source>Next view</source>
        <translation>下一个视图</translation>
    </message>
    <message>
        <source>View range…</source>
        <translation>视图范围…</translation>
    </message>
    <message>
        <source>Reset view</source>
        <translation>重置视图</translation>
    </message>
    <message>
        <source>Copy data</source>
        <translation>复制数据</translation>
    </message>
    <message>
        <source>Copy image</source>
        <translation>复制图像</translation>
    </message>
    <message>
        <source>Save image…</source>
        <translation>保存图像…</translation>
    </message>
    <message>
        <source>Save data…</source>
        <translation>保存数据…</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>打印…</translation>
    </message>
    <message>
        <source>Print preview…</source>
        <translation>打印预览…</translation>
    </message>
    <message>
        <source>Show value axis</source>
        <translation>显示数值轴</translation>
    </message>
</context>
<context>
    <name>chart::ChartPlot</name>
    <message>
        <source>Series taken off the chart; new points are not shown</source>
        <translation>序列已从图表中移除；新的点不会显示</translation>
    </message>
    <message>
        <source>No points in view: press Home to show them all</source>
        <translation>视图中没有点：按 Home 键显示全部</translation>
    </message>
</context>
<context>
    <name>chart::PointReadout</name>
    <message>
        <source>%1  label %2  value %3</source>
        <translation>%1  标签 %2  值 %3</translation>
    </message>
</context>
<context>
    <name>chart::ViewRangeDialog</name>
    <message>
        <source>First point</source>
        <translation>第一个点</translation>
    </message>
    <message>
        <source>Last point</source>
        <translation>最后一个点</translation>
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
        <translation>视图范围</translation>
    </message>
    <message>
        <source>%1 must be below %2</source>
        <translation>%1 必须小于%2</translation>
    </message>
    <message>
        <source>%1 to %2: too far apart or too close together to show</source>
        <translation>%1 到%2：相距太远或太近，无法显示</translation>
    </message>
</context>
<context>
    <name>conversions::EConvertError</name>
    <message>
        <source>%1 is out of range</source>
        <translation>%1 超出范围</translation>
    </message>
    <message>
        <source>%1 is too small: it becomes zero</source>
        <translation>%1 太小：会变为零</translation>
    </message>
    <message>
        <source>%1 is not a valid number</source>
        <translation>%1 不是有效的数字</translation>
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
        <translation>无法保存 %1：%2</translation>
    </message>
    <message>
        <source>Cannot save: no file name given</source>
        <translation>无法保存：未指定文件名</translation>
    </message>
    <message>
        <source>the name contains the control character %1</source>
        <translation>文件名包含控制字符 %1</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>文件名太长</translation>
    </message>
    <message>
        <source>the folder does not exist</source>
        <translation>文件夹不存在</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 不是文件夹</translation>
    </message>
    <message>
        <source>no files can be created in the folder</source>
        <translation>无法在该文件夹中创建文件</translation>
    </message>
</context>
<context>
    <name>toolkit::FormScroller</name>
    <message>
        <source>Scroll the form sideways</source>
        <translation>左右滚动窗体</translation>
    </message>
    <message>
        <source>Scroll the form up and down</source>
        <translation>上下滚动窗体</translation>
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
