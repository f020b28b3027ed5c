#include "lookup/editing_texts.h"

#include "text/encoding.h"

namespace extdict::editing_texts {
namespace {

// The message's opening words, the ext in full-width quotation marks, then its close.
std::string quoted(const char* opening, std::string_view ext, const char* closing) {
    return gbk(opening) + gbk("“") + std::string(ext) + gbk("”") + gbk(closing);
}

} // namespace

const std::string& duplicateExtension() {
    static const std::string text =
        gbk("数据库中已存在该扩展名！如果您只是想要修改注释信息，请点击修改！");
    return text;
}

std::string addDone(std::string_view ext) { return quoted("添加新纪录", ext, "成功！"); }
std::string addFailed(std::string_view ext) { return quoted("添加新纪录", ext, "失败！"); }

const std::string& nothingToModify() {
    static const std::string text = gbk("尚未有当前记录可供修改，因为您暂未查询记录！");
    return text;
}

std::string modifyDone(std::string_view ext) { return quoted("修改当前纪录", ext, "成功！"); }
std::string modifyFailed(std::string_view ext) { return quoted("修改当前纪录", ext, "失败！"); }

const std::string& nothingToDelete() {
    static const std::string text = gbk("尚未有当前记录可供删除，因为您暂未查询记录！");
    return text;
}

std::string deleteDone(std::string_view ext) { return quoted("删除当前纪录", ext, "成功！"); }
std::string deleteFailed(std::string_view ext) { return quoted("删除当前纪录", ext, "失败！"); }

} // namespace extdict::editing_texts
