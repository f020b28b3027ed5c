#include "net/encyclopedia_texts.h"

#include "text/encoding.h"

namespace extdict::encyclopedia_texts {

const std::string& enterExtensionFirst() {
    static const std::string text = gbk("请先输入扩展名再单击链接或百科知识按钮！");
    return text;
}

const std::string& openingPageCaption() {
    static const std::string text = gbk("正在进入百科网页...");
    return text;
}

const std::string& linkCaption() {
    static const std::string text = gbk("查看网页版百科知识(&W)...");
    return text;
}

} // namespace extdict::encyclopedia_texts
