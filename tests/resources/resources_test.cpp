// Reads the drawn .ico file and the compiled Windows resources byte by byte.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Image {
  int side, bits;
};
// The icon's images in their designed order.
constexpr Image kImages[] = {{32, 1}, {48, 4},   {32, 4},   {16, 4},  {48, 8},  {32, 8},
                             {16, 8}, {256, 32}, {128, 32}, {48, 32}, {32, 32}, {16, 32}};
constexpr int kImageCount = 12;

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

/// Little-endian fields of a byte string; reading past the end fails the test and gives 0.
struct Bytes {
  std::string data;
  unsigned U8(std::size_t at) const { return at < data.size() ? uint8_t(data[at]) : Fail(at); }
  unsigned U16(std::size_t at) const { return U8(at) | U8(at + 1) << 8; }
  uint32_t U32(std::size_t at) const { return U16(at) | uint32_t(U16(at + 2)) << 16; }
  std::string Slice(std::size_t at, std::size_t length) const {
    if (at + length > data.size()) return Fail(at + length), "";
    return data.substr(at, length);
  }
  unsigned Fail(std::size_t at) const {
    ADD_FAILURE() << "read at " << at << " past the end (" << data.size() << " bytes)";
    return 0;
  }
};

std::size_t Align4(std::size_t at) {
  return (at + 3) & ~std::size_t(3);
}

/// The images of an .ico file, each one's bytes as stored.
std::vector<std::string> IconImages(const Bytes& ico) {
  std::vector<std::string> images;
  for (unsigned i = 0; i < ico.U16(4); ++i) {
    images.push_back(ico.Slice(ico.U32(6 + 16 * i + 12), ico.U32(6 + 16 * i + 8)));
  }
  return images;
}

TEST(IconFile, HoldsTheTwelveImagesInOrderAsDibs) {
  Bytes ico{ReadFile(TORVANE_ICON_FILE)};
  EXPECT_EQ(ico.U16(2), 1u);  // an icon, not a cursor
  ASSERT_EQ(ico.U16(4), unsigned(kImageCount));
  const std::vector<std::string> images = IconImages(ico);
  for (int i = 0; i < kImageCount; ++i) {
    SCOPED_TRACE("image " + std::to_string(i + 1));
    const auto [side, bits] = kImages[i];
    // A BITMAPINFOHEADER of the same size and depth, not PNG.
    const Bytes dib{images[i]};
    EXPECT_EQ(dib.U32(0), 40u);
    EXPECT_EQ(dib.U32(4), uint32_t(side));
    EXPECT_EQ(dib.U16(14), unsigned(bits));
  }
}

struct Resource {
  unsigned type, name, language;
  std::string data;
};

/// The resources of a compiled .res file, every type and name numeric as ours are.
std::vector<Resource> ReadResFile(const Bytes& res) {
  std::vector<Resource> resources;
  for (std::size_t at = 0; at + 32 <= res.data.size();) {
    // Sizes, type (0xFFFF, id), name (0xFFFF, id), data version, flags, language.
    const uint32_t data_size = res.U32(at), header_size = res.U32(at + 4);
    if (res.U16(at + 10) != 0) {  // not the leading empty entry
      resources.push_back({res.U16(at + 10), res.U16(at + 14), res.U16(at + 22),
                           res.Slice(at + header_size, data_size)});
    }
    at = Align4(at + header_size + data_size);
  }
  return resources;
}

std::string Utf16(const std::string& ascii) {
  std::string wide;
  for (char c : ascii) wide += {c, '\0'};
  return wide;
}

/// Where the value of the version record's entry `key` begins: past the key's terminator and
/// the padding after it.
std::size_t ValueOf(const Bytes& record, const std::string& key) {
  std::size_t at = record.data.find(Utf16(key) + std::string(2, '\0'));
  if (at == std::string::npos) {
    ADD_FAILURE() << "no " << key;
    return record.data.size();
  }
  return Align4(at + 2 * key.size() + 2);
}

/// The compiled resources of one type, in the file's order.
std::vector<Resource> OfType(unsigned type) {
  std::vector<Resource> found;
  for (Resource& resource : ReadResFile(Bytes{ReadFile(TORVANE_COMPILED_RESOURCES)})) {
    if (resource.type == type) found.push_back(std::move(resource));
  }
  return found;
}

class CompiledResources : public ::testing::Test {
  void SetUp() override {
    if (!std::filesystem::exists(TORVANE_COMPILED_RESOURCES)) {
      GTEST_SKIP() << "no compiled resources: x86_64-w64-mingw32-windres is missing";
    }
  }
};

TEST_F(CompiledResources, IconGroupOneNamesImages30001To30012InOrder) {
  const std::vector<std::string> drawn = IconImages(Bytes{ReadFile(TORVANE_ICON_FILE)});
  const auto icons = OfType(3), groups = OfType(14);
  ASSERT_EQ(icons.size(), std::size_t(kImageCount));
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].name, 1u);
  EXPECT_EQ(groups[0].language, 0x0804u);
  const Bytes group{groups[0].data};
  ASSERT_EQ(group.data.size(), 6u + 14 * kImageCount);
  for (int i = 0; i < kImageCount; ++i) {
    SCOPED_TRACE("image " + std::to_string(i + 1));
    EXPECT_EQ(icons[i].name, 30001u + i);
    EXPECT_TRUE(icons[i].data == drawn.at(i));
    const std::size_t entry = 6 + 14 * i;
    EXPECT_EQ(group.U16(entry + 6), unsigned(kImages[i].bits));
    EXPECT_EQ(group.U32(entry + 8), icons[i].data.size());
    EXPECT_EQ(group.U16(entry + 12), 30001u + i);
  }
}

TEST_F(CompiledResources, VersionRecordIs1_00InChinesePrc) {
  const auto versions = OfType(16);
  ASSERT_EQ(versions.size(), 1u);
  EXPECT_EQ(versions[0].language, 0x0804u);
  const Bytes record{versions[0].data};
  const std::size_t fixed = ValueOf(record, "VS_VERSION_INFO");
  EXPECT_EQ(record.U32(fixed + 8), 0x00010000u);  // file version 1.0
  EXPECT_EQ(record.U32(fixed + 12), 0u);          // .0.0
  EXPECT_EQ(record.Slice(ValueOf(record, "FileVersion"), 10), Utf16("1.00") + '\0' + '\0');
  EXPECT_EQ(record.U16(ValueOf(record, "Translation")), 0x0804u);
}

TEST_F(CompiledResources, ManifestAsksForPerMonitorDpiAndCommonControls6) {
  const auto manifests = OfType(24);
  ASSERT_EQ(manifests.size(), 1u);
  EXPECT_EQ(manifests[0].name, 1u) << "the process's own manifest";
  for (const char* part :
       {"PerMonitorV2", "true/pm", "Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\""}) {
    EXPECT_NE(manifests[0].data.find(part), std::string::npos) << part;
  }
}

}  // namespace
