#include "app/main_controls.h"

#include "text/encoding.h"

namespace extdict {

MainControls resolveMainControls(const tk::Toolkit& ui, tk::WindowId window) {
    const auto named = [&](const char* name) {
        return tk::ControlRef{window, ui.controlNamed(window, gbk(name))};
    };
    MainControls c;
    c.window = window;
    c.countButton = named("按钮1");
    c.listBox = named("列表框");
    c.encyclopediaLink = named("超级链接框网页版百科");
    c.encyclopediaButton = named("按钮百科");
    c.clearButton = named("按钮清空");
    c.exportButton = named("按钮导出");
    c.importButton = named("按钮导入");
    c.deleteButton = named("按钮删除");
    c.modifyButton = named("按钮修改");
    c.noteBox = named("编辑框注释");
    c.addButton = named("按钮添加");
    c.extensionBox = named("编辑框扩展名");
    c.descriptionLabel = named("标签1");
    return c;
}

} // namespace extdict
