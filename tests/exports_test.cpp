// The launcher's export directory: the names listed in launcher/ZAZezor.def
// are exactly the string class's entry points in the library (one per
// constructor and destructor), and the built executable exports exactly
// those, as functions, under the module name ZAZezor.exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include <cxxabi.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "WinHarness.h"

namespace {

const size_t kEntryPoints = 102;

std::string Demangle(const std::string& symbol) {
    int status = 0;
    char* text = abi::__cxa_demangle(symbol.c_str(), nullptr, nullptr, &status);
    if (text == nullptr) return symbol;
    std::string demangled(text);
    free(text);
    return demangled;
}

// A member of the class, one of its global operators (whose operands are
// strings, texts and characters only), or QlGetEmptyString.
bool IsStringClassEntry(const std::string& demangled) {
    if (demangled.compare(0, 10, "QlString::") == 0 || demangled == "QlGetEmptyString()") return true;
    size_t open = demangled.find('(');
    if (demangled.compare(0, 8, "operator") != 0 || open == std::string::npos) return false;
    std::string operands = demangled.substr(open + 1, demangled.rfind(')') - open - 1) + ", ";
    bool takesString = false;
    for (size_t at = 0, comma; (comma = operands.find(", ", at)) != std::string::npos; at = comma + 2) {
        std::string operand = operands.substr(at, comma - at);
        if (operand == "QlString const&")
            takesString = true;
        else if (operand != "char const*" && operand != "char")
            return false;
    }
    return takesString;
}

// GCC emits base-object constructors and destructors (C2, D2) beside the
// complete-object ones; only the latter are entry points.
bool IsSecondaryVariant(const std::string& symbol) {
    const std::string prefix = "_ZN8QlString";
    if (symbol.compare(0, prefix.size(), prefix) != 0 || symbol.size() < prefix.size() + 2) return false;
    char kind = symbol[prefix.size()];
    char variant = symbol[prefix.size() + 1];
    return (kind == 'C' || kind == 'D') && variant != '1';
}

struct DefFile {
    std::string module;
    std::vector<std::string> names;
    std::vector<std::string> entriesWithAttributes;  // DATA, @ordinal and the like
};

DefFile ReadDefFile(const std::string& path) {
    DefFile def;
    std::istringstream lines(harness::ReadFileBytes(path));
    bool inExports = false;
    for (std::string line; std::getline(lines, line);) {
        line = line.substr(0, line.find(';'));
        std::istringstream words(line);
        std::string first, more;
        if (!(words >> first)) continue;
        if (first == "NAME") {
            words >> def.module;
        } else if (first == "EXPORTS") {
            inExports = true;
        } else if (inExports) {
            def.names.push_back(first);
            if (words >> more) def.entriesWithAttributes.push_back(line);
        }
    }
    return def;
}

// The global symbols a GNU archive's symbol table names, without the extra
// leading underscore of i686.
std::set<std::string> ArchiveSymbols(const std::string& path) {
    std::string bytes = harness::ReadFileBytes(path);
    std::set<std::string> symbols;
    const size_t header = 8 + 60;  // "!<arch>\n", then the first member's header
    if (bytes.compare(0, 8, "!<arch>\n") != 0 || bytes.size() < header + 4 || bytes.compare(8, 2, "/ ") != 0)
        return symbols;
    const unsigned char* count = reinterpret_cast<const unsigned char*>(bytes.data() + header);
    size_t n = static_cast<size_t>(count[0]) << 24 | count[1] << 16 | count[2] << 8 | count[3];
    size_t at = header + 4 + 4 * n;
    for (size_t i = 0; i < n && at < bytes.size(); ++i) {
        std::string name(bytes.c_str() + at);
        at += name.size() + 1;
        symbols.insert(name.compare(0, 1, "_") == 0 ? name.substr(1) : name);
    }
    return symbols;
}

TEST(Exports, TheListNamesEveryEntryPointOfTheStringClassOnce) {
    DefFile def = ReadDefFile(harness::FromUnixPath(OV_EXPORTS_DEF));
    EXPECT_EQ("ZAZezor.exe", def.module);
    EXPECT_TRUE(def.entriesWithAttributes.empty()) << def.entriesWithAttributes.front();
    std::set<std::string> listed(def.names.begin(), def.names.end());
    EXPECT_EQ(def.names.size(), listed.size()) << "a name is listed twice";

    std::set<std::string> entries;
    for (const std::string& symbol : ArchiveSymbols(harness::FromUnixPath(OV_ORVANE_LIB)))
        if (IsStringClassEntry(Demangle(symbol)) && !IsSecondaryVariant(symbol)) entries.insert(symbol);
    EXPECT_EQ(kEntryPoints, entries.size());
    for (const std::string& symbol : entries) EXPECT_EQ(1u, listed.count(symbol)) << "not listed: " << Demangle(symbol);
    for (const std::string& name : listed) EXPECT_EQ(1u, entries.count(name)) << "not in the class: " << Demangle(name);
}

// The section of the mapped image that holds rva, or null.
const IMAGE_SECTION_HEADER* SectionOf(const IMAGE_NT_HEADERS32* nt, DWORD rva) {
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        DWORD size = section->Misc.VirtualSize > section->SizeOfRawData ? section->Misc.VirtualSize : section->SizeOfRawData;
        if (rva >= section->VirtualAddress && rva - section->VirtualAddress < size) return section;
    }
    return nullptr;
}

TEST(Exports, TheExecutableExportsExactlyTheListAsFunctions) {
    const std::string exe = harness::FromUnixPath(OV_LAUNCHER_EXE);
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(nullptr, module) << GetLastError();
    const BYTE* base = reinterpret_cast<const BYTE*>(module);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    ASSERT_EQ(IMAGE_DOS_SIGNATURE, dos->e_magic);
    const IMAGE_NT_HEADERS32* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    ASSERT_EQ(IMAGE_NT_SIGNATURE, nt->Signature);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(0u, directory.VirtualAddress);
    const IMAGE_EXPORT_DIRECTORY* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);

    EXPECT_STREQ("ZAZezor.exe", reinterpret_cast<const char*>(base + exports->Name));
    // As many addresses as names: nothing is exported by ordinal only.
    ASSERT_EQ(kEntryPoints, exports->NumberOfNames);
    ASSERT_EQ(kEntryPoints, exports->NumberOfFunctions);

    const DWORD* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
    const DWORD* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    const WORD* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    std::set<std::string> exported;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        const char* name = reinterpret_cast<const char*>(base + names[i]);
        SCOPED_TRACE(name);
        exported.insert(name);
        EXPECT_TRUE(IsStringClassEntry(Demangle(name)));
        ASSERT_LT(ordinals[i], exports->NumberOfFunctions);
        DWORD rva = functions[ordinals[i]];
        // Code, not data, and not a forwarder into the export directory.
        const IMAGE_SECTION_HEADER* section = SectionOf(nt, rva);
        ASSERT_NE(nullptr, section);
        EXPECT_NE(0u, section->Characteristics & IMAGE_SCN_MEM_EXECUTE);
        EXPECT_FALSE(rva >= directory.VirtualAddress && rva - directory.VirtualAddress < directory.Size);
        EXPECT_EQ(reinterpret_cast<FARPROC>(base + rva), GetProcAddress(module, name));
    }
    std::vector<std::string> listed = ReadDefFile(harness::FromUnixPath(OV_EXPORTS_DEF)).names;
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), exported);
    FreeLibrary(module);
}

}  // namespace
