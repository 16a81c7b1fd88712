// The registry values read from small inf texts in wine.inf's own forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/codepage/Codepage.h"
#include "platform/wine/install/InfReader.h"

namespace {

using platform::wine::InfRegistryValue;

struct Case {
    const char* what;
    const char* inf;
    std::vector<std::string> values;  // "ROOT|key|name|type|data", in any order
};

std::string Shown(const InfRegistryValue& v) {
    const char* root = v.root == platform::HKEY_LOCAL_MACHINE  ? "HKLM"
                       : v.root == platform::HKEY_CURRENT_USER ? "HKCU"
                       : v.root == platform::HKEY_CLASSES_ROOT ? "HKCR"
                                                               : "HKU";
    using platform::codepage::Utf16ToUtf8;
    return std::string(root) + "|" + Utf16ToUtf8(v.key) + "|" + Utf16ToUtf8(v.name) + "|" +
           std::to_string(v.type) + "|" + Utf16ToUtf8(v.data);
}

const Case kCases[] = {
    {"strings and directory ids are substituted",
     "[DefaultInstall]\nAddReg=DirectX\n[Strings]\nCV="
     "\"Software\\Microsoft\\Windows\\CurrentVersion\"\n"
     "[DirectX]\nHKLM,Software\\Microsoft\\DirectMusic,GMFilePath,,\"%12%\\gm.dls\"\n"
     "HKLM,%cv%\\Setup,\"BootDir\",,\"%30%\"\nHKLM,%CV%,\"ProgramFilesDir\",,\"%16422%\"\n"
     "HKLM,x,\"PagingFiles\",,\"%24%\\pagefile.sys 27 77\"\n",
     {"HKLM|Software\\Microsoft\\DirectMusic|GMFilePath|1|C:\\windows\\system32\\drivers\\gm.dls",
      "HKLM|Software\\Microsoft\\Windows\\CurrentVersion\\Setup|BootDir|1|C:\\",
      "HKLM|Software\\Microsoft\\Windows\\CurrentVersion|ProgramFilesDir|1|C:\\Program Files",
      "HKLM|x|PagingFiles|1|C:\\pagefile.sys 27 77"}},
    {"doubled quotes, a lone %1, %% and unknown names stay as setupapi leaves them",
     "[DefaultInstall]\nAddReg=Classes\n[Classes]\n"
     "HKCR,chm.file\\shell\\open\\command,,2,\"\"\"%10%\\hh.exe\"\" \"\"%1\"\"\"\n"
     "HKCU,Software\\T,Pct,,\"100%% %nosuch% ok\"\n",
     {"HKCR|chm.file\\shell\\open\\command||1|\"C:\\windows\\hh.exe\" \"%1\"",
      "HKCU|Software\\T|Pct|1|100% %nosuch% ok"}},
    {"continued AddReg lists, comments and blanks around fields",
     "; header\n[DefaultInstall]\nAddReg=\\\n    One,\\\n    Two ; both\n"
     "[One]\n  HKLM , Software\\A , Name , , \" padded \" ; note\n"
     "[Two]\nHKLM,Software\\B,\"semi;colon\",,\"a,b\"\n",
     {"HKLM|Software\\A|Name|1| padded ", "HKLM|Software\\B|semi;colon|1|a,b"}},
    {"only text values that are written are kept",
     "[DefaultInstall]\nAddReg=Kinds\n[Kinds]\nHKLM,K,Sz,0,\"text\"\nHKLM,K,Expand,0x20000,\"%10%"
     "\\x\"\n"
     "HKLM,K,Dword,0x10001,0x1f4\nHKLM,K,Bin,1,00,01\nHKLM,K,Link,0x60000,\"\\Registry\\x\"\n"
     "HKLM,K,,16\nHKLM,K,Gone,4\nHKR,K,Relative,,\"r\"\nHKLM,K,Multi,0x10000,\"a\",\"b\"\n",
     {"HKLM|K|Sz|1|text", "HKLM|K|Expand|2|C:\\windows\\x"}},
    {"a section no install section adds is not read; a 32-bit install sees 32-bit folders",
     "[DefaultInstall.ntamd64]\nAddReg=Dirs\n[Wow64Install]\nAddReg=Dirs\n"
     "[Dirs]\nHKLM,D,Sys,,\"%11%\"\nHKLM,D,Pf,,\"%16422%\"\n[Unused]\nHKLM,U,N,,\"x\"\n",
     {"HKLM|D|Sys|1|C:\\windows\\system32", "HKLM|D|Pf|1|C:\\Program Files",
      "HKLM|D|Sys|1|C:\\windows\\syswow64", "HKLM|D|Pf|1|C:\\Program Files (x86)"}},
    {"damaged text yields what it can",
     "[DefaultInstall\nAddReg=A\n[A]\nHKLM,\"unclosed\n,,\n",
     {}},
};

TEST(InfReader, ReadsTheRegistryValuesOfInstallSections) {
    for (const Case& c : kCases) {
        std::vector<std::string> got;
        for (const InfRegistryValue& v : platform::wine::ReadInfRegistryValues(c.inf))
            got.push_back(Shown(v));
        std::vector<std::string> want = c.values;
        std::sort(got.begin(), got.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(got, want) << c.what;
    }
}

}  // namespace
