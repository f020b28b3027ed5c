#include <gtest/gtest.h>

#include "toolkit/headless/headless_services.h"

namespace extdict {
namespace {

using Type = HeadlessServices::ValueType;

TEST(HeadlessServicesRegistry, ReadsDefaultValuesAsTheRegistryWould) {
    HeadlessServices services;
    services.setRegistryValue(".txt\\", "txtfile");
    services.setRegistryValue("TxtFile", "Text Document");
    services.setRegistryValue("exp\\", "%Root%\\x %missing% 50%", Type::ExpandString);
    services.setRegistryValue("bin\\", "data", Type::Other);
    services.setEnvironmentVariable("ROOT", "C:\\Win");
    struct Case {
        const char* key;
        const char* value;
    };
    for (const Case& c :
         {Case{".txt\\", "txtfile"}, Case{".TXT\\", "txtfile"}, Case{"txtfile\\", "Text Document"},
          Case{".abc\\", ""}, Case{"exp\\", "C:\\Win\\x %missing% 50%"}, Case{"bin\\", ""},
          Case{"\\", ""}})
        EXPECT_EQ(services.registryDefaultValue(c.key), c.value) << c.key;
}

TEST(HeadlessServicesClipboard, AHeldClipboardRefusesAndKeepsItsText) {
    HeadlessServices services;
    services.setClipboard("old");
    services.setClipboardHeld(true);
    EXPECT_FALSE(services.setClipboardText("new"));
    EXPECT_EQ(services.clipboard(), "old");
    services.setClipboardHeld(false);
    EXPECT_TRUE(services.setClipboardText(""));
    EXPECT_EQ(services.clipboard(), "");
}

TEST(HeadlessServicesOther, PathsLinksAndTheClosedNetwork) {
    HeadlessServices services;
    EXPECT_EQ(services.joinPath("C:\\dir", "f.edb"), "C:\\dir\\f.edb");
    EXPECT_EQ(services.browserCommandLine("http://x"), "explorer http://x");
    EXPECT_TRUE(services.startProgram("explorer "));
    EXPECT_EQ(services.startedPrograms(), std::vector<std::string>{"explorer "});
    EXPECT_EQ(services.http().internetOpen("agent", 1, "", "", 0), 0u);
}

} // namespace
} // namespace extdict
