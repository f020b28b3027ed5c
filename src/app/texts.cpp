#include "app/texts.h"

#include "text/encoding.h"

namespace extdict::texts {
namespace {

constexpr const char* kReleasePage = "http://www.example.org/tarnix/extdict/";

std::string buildHelpText() {
    const std::string lines[] = {
        "这是一款操作简单的扩展名查询和自我编辑工具。",
        "开发：Brannoc（Tarnix 工作室）。意见和建议请通过下面的网址告诉我们。",
        "作者主页：http://www.example.org/brannoc/    工作室主页：http://tarnix.example.org/",
        "",
        "操作要点：",
        "",
        "◎您可以在上面的小编辑框中输入要查询的扩展名（输入的同时程序会自动根据“已输入字符”来筛选出"
        "最相似的全部库存扩展名列表来供您选择，当然您也可以一次性输入扩展名的全名），待输入完毕之后，"
        "程序就会自动检索数据库中关于该扩展名的注释信息并显示出来。",
        "",
        "◎在小编辑框中“回车”或双击可查看库存全部扩展名列表。在出现的列表后，只需按上下光标键即可上下"
        "选定项目，当定位到满意的扩展名时，只需回车或按空格键（当然也可以用鼠标直接点击）即可将其输入到"
        "小编辑框中，并且程序也将实时将该扩展名的对应注释信息显示在本编辑框中。",
        "",
        "◎您还可以进一步扩展阅读，只需单击“百科知识(&B)”按钮即可显示出该扩展名的百科知识（纯文本），"
        "但是这需要联网！另外，如果想要图文并茂，可以单击“查看网页版百科知识(&W)...”链接打开浏览器进行"
        "查看。",
        "",
        "◎您可以随时自主扩充数据库。您只需在小编辑框中输入新扩展名和在本编辑框中输入该扩展名的注释信息，"
        "然后单击“添加”按钮即可。同样也可以对当前查询的已存在的记录重新修改或直接删除。",
        "",
        std::string("◎由于数据库是可以自行扩充和修改的，因此您也可以到本工具的发布页（") + kReleasePage +
            "）下载其他用户共享的扩展名数据库来替换您当前使用的数据库，或者将您的数据库上传到网盘并将共享"
            "地址跟帖发布出来与互联网的其他用户分享您添加的扩展名数据。",
        "",
        "◎本工具特别设计的导入导出可以非常方便地转移和共享数据。其中导出功能允许导出可读性好但是不能导入"
        "的扩展名数据，也可以导出可读性差但是可再导入扩充数据库的扩展名数据，而导入功能则自动识别被导入的"
        "目标数据中是否与数据库中已有数据存在重复，若重复则忽略，即任何时候都只能导入唯一性的扩展名数据。",
        "",
        "◎在小编辑框中输入“?”可查看本帮助",
    };
    std::string joined = lines[0];
    for (std::size_t i = 1; i < std::size(lines); ++i) joined += "\r\n" + lines[i];
    return gbk(joined);
}

} // namespace

const std::string& helpText() {
    static const std::string text = buildHelpText();
    return text;
}

const std::string& mainCaption() {
    static const std::string text = gbk("Vornel扩展名助手(Tarnix) 1.0 - 开发：Brannoc");
    return text;
}

const std::string& trayTip() {
    static const std::string text = gbk("Vornel扩展名助手 - 查询和管理扩展名的好工具\r\n开发：Brannoc");
    return text;
}

const std::string& databaseFileName() {
    static const std::string text = gbk("Vornel扩展名查询.edb");
    return text;
}

const std::string& extensionFieldName() {
    static const std::string text = gbk("扩展名");
    return text;
}

const std::string& noteFieldName() {
    static const std::string text = gbk("注释");
    return text;
}

const std::string& createFailed() {
    static const std::string text = gbk("数据库创建失败！程序将结束！");
    return text;
}

const std::string& openAfterCreateFailed() {
    static const std::string text = gbk("数据库创建成功，但是打开失败！程序将结束！");
    return text;
}

std::string damagedDatabaseMovedAside(const std::string& newPath) {
    return gbk("原有的数据库文件已损坏或不是本程序的数据库，已将其改名保存为：\r\n") + newPath +
           gbk("\r\n程序将使用新建的空数据库。");
}

std::string lengthCaption(const std::string& savedCaption, std::size_t noteBytes) {
    return savedCaption + gbk(" - 当前长度：") + std::to_string(noteBytes) +
           gbk("(最大允许长度为 512 字节)");
}

std::string recordCountMessage(int count) {
    return gbk("您的当前数据库共有 ") + std::to_string(count) + gbk(" 条扩展名数据！");
}

const std::string& clearQuestion() {
    static const std::string text = gbk("您当真要清空扩展名数据库的全部内容？此举很危险，请慎重选择！");
    return text;
}

} // namespace extdict::texts
