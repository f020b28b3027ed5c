#include "exchange/exchange_texts.h"

#include "text/encoding.h"

namespace extdict::exchange_texts {

#define EXCHANGE_TEXT(function, utf8)                                                              \
    const std::string& function() {                                                                \
        static const std::string text = gbk(utf8);                                                 \
        return text;                                                                               \
    }

EXCHANGE_TEXT(exportQuestion,
              "导出可读性好但不能再次导入的（是）还是可读性差但是允许再次导入的（否）？"
              "或者放弃本次操作（取消）？")
EXCHANGE_TEXT(exportDone, "记录已复制到剪辑板，您可以粘贴到任何地方或自行保存为文本文件！")
EXCHANGE_TEXT(clipboardUnwritable,
              "无法写入剪贴板（可能正被其他程序占用），记录未能导出！请稍后再试。")

EXCHANGE_TEXT(
    importPrompt,
    "请输入将要导入到当前程序数据库的扩展名数据，该数据必须是经由本程序导出的特定格式才能正确"
    "识别！\r\n本程序导出时的可识别格式：扩展名和注释信息之间以三个半角逗号分隔【,,,】，每条记录"
    "之间以三个半角分号分隔【;;;】，这样的设计是出于【为了注释信息能够允许换行符的存在】这一目"
    "的：")
EXCHANGE_TEXT(importCaption, "导入扩展名数据")
EXCHANGE_TEXT(importDone, "导入完毕！")
EXCHANGE_TEXT(importNotSaved, "数据库写入失败，本次没有导入任何记录！请检查磁盘空间后再试。")

EXCHANGE_TEXT(defaultPrompt, "请输入文本，或读入文本，编辑完毕后请按下 Ctrl + 回车键返回：")
EXCHANGE_TEXT(defaultCaption, "输入：")
EXCHANGE_TEXT(openCaption, "打开(&D)...")
EXCHANGE_TEXT(chooseCaption, "选择(&X)...")
EXCHANGE_TEXT(readTitle, "读入文本：")
EXCHANGE_TEXT(chooseFileTitle, "选择文件名：")
EXCHANGE_TEXT(chooseFileNamesTitle, "请选择文件名（允许多个连选）：")
EXCHANGE_TEXT(fileNamesFilter, "全部文件|*.*|TXT文件|*.txt|")
EXCHANGE_TEXT(saveTitle, "另存编辑框中的文本数据到文件：")
EXCHANGE_TEXT(saveSucceeded, "写出成功！")
EXCHANGE_TEXT(saveFailed, "写出失败！")
EXCHANGE_TEXT(discardQuestion, "您已经对文档做了修改，请问真的要放弃吗？")
EXCHANGE_TEXT(fileUnreadable, "无法读取所选的文件（文件不存在、正被占用或没有读取权限），"
                              "编辑框中的文本保持不变。")

#undef EXCHANGE_TEXT

} // namespace extdict::exchange_texts
