#include <gtest/gtest.h>

#include "lookup/file_type_description.h"
#include "lookup_window.h"
#include "text/encoding.h"

namespace extdict::test {
namespace {

using Items = std::vector<std::string>;
using ValueType = HeadlessServices::ValueType;

struct RegistryValue {
    const char* key;
    const char* value;
    ValueType type = ValueType::String;
};

struct DescriptionCase {
    std::vector<RegistryValue> registry;
    const char* extension;  // UTF-8
    const char* description;
};

TEST(FileTypeDescription, ReadsTheTypeThenItsDescriptionWithFallbacks) {
    const DescriptionCase cases[] = {
        {{{".txt", "txtfile"}, {"txtfile", "Text Document"}}, "txt", "Text Document"},
        {{{".txt", "txtfile"}, {"txtfile", "Text Document"}}, "TXT", "Text Document"},
        {{{".txt", "txtfile"}}, "txt", "TXT 文件"},
        {{}, "abc", "ABC 文件"},
        {{}, "a文b", "A文B 文件"},
        {{}, "？", "？ 文件"},
        {{{".bmp", "Paint.Picture"}, {"Paint.Picture", "%KIND% 图像", ValueType::ExpandString}},
         "bmp", "位图 图像"},
        {{{".raw", "rawfile"}, {"rawfile", "binary", ValueType::Other}}, "raw", "RAW 文件"},
        {{{".dat", "datfile", ValueType::Other}, {"datfile", "Data"}}, "dat", "DAT 文件"},
        // No type: the path "\" names the root, whose own default value is then read.
        {{{"", "Root Default"}}, "zzz", "Root Default"},
        {{{".txt", "txtfile"}, {"txtfile", "Text Document"}}, "", "无格式文件"},
    };
    for (const DescriptionCase& c : cases) {
        HeadlessServices services;
        services.setEnvironmentVariable("KIND", gbk("位图"));
        for (const RegistryValue& v : c.registry)
            services.setRegistryValue(gbk(v.key), gbk(v.value), v.type);
        EXPECT_EQ(utf8FromGbk(fileTypeDescription(services, gbk(c.extension))), c.description)
            << c.extension;
    }
}

TEST(QueryBox, TextChangeShowsTheDescriptionEmptiesTheNoteAndFilters) {
    LookupWindow w;
    w.services.setRegistryValue(".txt", "txtfile");
    w.services.setRegistryValue("txtfile", "Text Document");
    w.ui.setText(w.note, "old note");
    w.ui.typeText(w.edit, "t");
    EXPECT_EQ(w.labelText(), "简单解释：T 文件");
    EXPECT_EQ(w.noteText(), "");
    EXPECT_EQ(w.items(), (Items{"txt", "tmp"}));
    w.ui.typeText(w.edit, "xt");
    EXPECT_EQ(w.labelText(), "简单解释：Text Document");
    EXPECT_EQ(w.noteText(), "text file");
    EXPECT_FALSE(w.listShown());
}

TEST(QueryBox, EmptyTextListsEveryUnmarkedRecord) {
    LookupWindow w;
    w.ui.setText(w.note, "old note");
    w.ui.setText(w.edit, "");
    EXPECT_EQ(w.labelText(), "简单解释：无格式文件");
    EXPECT_EQ(w.noteText(), "");
    EXPECT_EQ(w.items(), (Items{"txt", "tmp", "文本", "doc"}));
    EXPECT_TRUE(w.listShown());
}

TEST(QueryBox, QuestionMarkShowsTheHelpAndChangesNothingElse) {
    LookupWindow w;
    w.ui.typeText(w.edit, "t");
    w.ui.setLinkTarget(w.link, "http://example.org/t");
    w.suppressNextFilter = true;
    w.ui.setText(w.edit, "?");
    EXPECT_EQ(w.ui.text(w.note), w.helpText);
    EXPECT_FALSE(w.listShown());
    EXPECT_EQ(w.items(), (Items{"txt", "tmp"}));
    EXPECT_EQ(w.labelText(), "简单解释：T 文件");
    EXPECT_EQ(w.ui.linkTarget(w.link), "http://example.org/t");
    EXPECT_TRUE(w.suppressNextFilter);
}

TEST(QueryBox, FullWidthQuestionMarkIsAnOrdinaryText) {
    LookupWindow w;
    w.ui.setText(w.note, "old note");
    w.ui.setText(w.edit, gbk("？"));
    EXPECT_EQ(w.labelText(), "简单解释：？ 文件");
    EXPECT_EQ(w.noteText(), "");
    EXPECT_FALSE(w.listShown());
}

TEST(QueryBox, LinkStaysOnlyForTheCachedExtensionExactly) {
    const std::pair<const char*, const char*> cases[] = {
        {"TXT", "http://example.org/TXT"}, {"txt", ""}, {"TX", ""}, {"", ""},
    };
    for (const auto& [typed, target] : cases) {
        LookupWindow w;
        w.linkedExtension = "TXT";
        w.ui.setLinkTarget(w.link, "http://example.org/TXT");
        w.ui.setText(w.edit, typed);
        EXPECT_EQ(w.ui.linkTarget(w.link), target) << typed;
        EXPECT_EQ(w.ui.text(w.link), "link");
    }
}

TEST(QueryBox, SuppressedChangeDoesNotFilterAndClearsTheFlag) {
    LookupWindow w;
    w.ui.typeText(w.edit, "t");
    w.suppressNextFilter = true;
    w.ui.setText(w.edit, "");
    EXPECT_EQ(w.items(), (Items{"txt", "tmp"}));
    EXPECT_TRUE(w.listShown());
    EXPECT_FALSE(w.suppressNextFilter);
    EXPECT_EQ(w.labelText(), "简单解释：无格式文件");
    w.ui.setText(w.edit, "");
    EXPECT_EQ(w.items().size(), 4u);
}

TEST(QueryBox, DoubleClickShowsTheCompleteListOnlyWhenTheListIsHidden) {
    LookupWindow w;
    w.ui.setText(w.edit, "zz");
    w.ui.doubleClick(w.edit);
    EXPECT_EQ(w.items(), (Items{"txt", "TMP", "文本", "doc"}));
    EXPECT_TRUE(w.listShown());
    w.ui.setListSelection(w.list, 2);
    w.ui.doubleClick(w.edit);
    EXPECT_EQ(w.selection(), 2);
    EXPECT_EQ(w.editText(), "zz");
}

TEST(QueryBox, ConsumedKeysNeverReachTheBox) {
    LookupWindow w;
    w.ui.typeText(w.edit, "t");
    w.ui.typeText(w.edit, " ");
    EXPECT_EQ(w.editText(), "txt") << "Space chose the first item instead of being typed";
    w.ui.typeText(w.edit, " ");
    EXPECT_EQ(w.editText(), "txt ") << "with the list hidden Space is typed";
}

} // namespace
} // namespace extdict::test
