// Reads the drawn .ico file and the compiled Windows resources byte by byte.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
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
std::size_t RowBytes(int side, int bits) {
  return std::size_t(side * bits + 31) / 32 * 4;
}

/// The images of an .ico file, each one's bytes as stored.
std::vector<std::string> IconImages(const Bytes& ico) {
  std::vector<std::string> images;
  for (unsigned i = 0; i < ico.U16(4); ++i) {
    images.push_back(ico.Slice(ico.U32(6 + 16 * i + 12), ico.U32(6 + 16 * i + 8)));
  }
  return images;
}

TEST(IconFile, HoldsTheTwelveImagesInOrderAsDibsWithMasks) {
  Bytes ico{ReadFile(TORVANE_ICON_FILE)};
  ASSERT_GT(ico.data.size(), 6u);
  EXPECT_EQ(ico.U16(0), 0u);
  EXPECT_EQ(ico.U16(2), 1u);  // an icon, not a cursor
  ASSERT_EQ(ico.U16(4), unsigned(kImageCount));

  std::size_t end_of_previous = 6 + 16 * kImageCount;
  for (int i = 0; i < kImageCount; ++i) {
    SCOPED_TRACE("image " + std::to_string(i + 1));
    const auto [side, bits] = kImages[i];
    const std::size_t entry = 6 + 16 * i;
    EXPECT_EQ(ico.U8(entry), unsigned(side % 256));
    EXPECT_EQ(ico.U8(entry + 1), unsigned(side % 256));
    EXPECT_EQ(ico.U8(entry + 2), bits < 8 ? 1u << bits : 0u);
    EXPECT_EQ(ico.U16(entry + 4), 1u);
    EXPECT_EQ(ico.U16(entry + 6), unsigned(bits));
    const uint32_t size = ico.U32(entry + 8), offset = ico.U32(entry + 12);
    EXPECT_EQ(offset, end_of_previous);
    end_of_previous = offset + size;

    // BITMAPINFOHEADER, colour table, colour rows, mask rows: no PNG.
    Bytes dib{ico.Slice(offset, size)};
    ASSERT_NE(dib.Slice(0, 4), "\x89PNG");
    EXPECT_EQ(dib.U32(0), 40u);
    EXPECT_EQ(dib.U32(4), uint32_t(side));
    EXPECT_EQ(dib.U32(8), uint32_t(2 * side));
    EXPECT_EQ(dib.U16(12), 1u);
    EXPECT_EQ(dib.U16(14), unsigned(bits));
    EXPECT_EQ(dib.U32(16), 0u);  // uncompressed
    const std::size_t colours = bits <= 8 ? std::size_t(1) << bits : 0;
    const std::size_t colour_rows = 40 + 4 * colours,
                      mask = colour_rows + RowBytes(side, bits) * side;
    ASSERT_EQ(size, mask + RowBytes(side, 1) * side);

    // The corners show through, the middle is drawn.
    auto transparent = [&](int x, int y) {
      return (dib.U8(mask + RowBytes(side, 1) * (side - 1 - y) + x / 8) >> (7 - x % 8)) & 1;
    };
    EXPECT_TRUE(transparent(0, 0) && transparent(side - 1, side - 1));
    EXPECT_FALSE(transparent(side / 2, side / 2));
    if (bits == 32) {
      auto alpha = [&](int x, int y) {
        return dib.U8(colour_rows + RowBytes(side, 32) * (side - 1 - y) + 4 * x + 3);
      };
      EXPECT_EQ(alpha(0, 0), 0u);
      EXPECT_EQ(alpha(side / 2, side / 2), 255u);
    }
  }
  EXPECT_EQ(end_of_previous, ico.data.size());
}

struct Resource {
  unsigned type, name, language;  // numeric identifiers; 0 for a named one
  std::string data;
};

std::vector<Resource> ReadResFile(const Bytes& res) {
  std::vector<Resource> resources;
  auto id = [&](std::size_t& at) {
    if (res.U16(at) == 0xFFFF) return at += 4, res.U16(at - 2);
    while (res.U16(at) != 0) at += 2;
    return at += 2, 0u;
  };
  for (std::size_t at = 0; at + 32 <= res.data.size();) {
    const uint32_t data_size = res.U32(at), header_size = res.U32(at + 4);
    std::size_t field = at + 8;
    Resource resource;
    resource.type = id(field);
    resource.name = id(field);
    field = Align4(field);
    resource.language = res.U16(field + 6);
    resource.data = res.Slice(at + header_size, data_size);
    if (resource.type != 0) resources.push_back(resource);  // the leading empty entry
    at = Align4(at + header_size + data_size);
  }
  return resources;
}

/// The values of a version record by path ("StringFileInfo/080404B0/FileVersion"); texts
/// without their terminator, as ASCII.
void ReadVersionNode(const Bytes& record, std::size_t at, const std::string& parent,
                     std::map<std::string, std::string>& values) {
  const std::size_t length = record.U16(at), value_length = record.U16(at + 2);
  const bool text = record.U16(at + 4) == 1;
  std::string key;
  std::size_t field = at + 6;
  for (; record.U16(field) != 0; field += 2) key += char(record.U16(field));
  field = Align4(field + 2);
  const std::string path = parent.empty() ? key : parent + "/" + key;
  const std::size_t value_bytes = text ? 2 * value_length : value_length;
  std::string value = record.Slice(field, value_bytes);
  if (text) {
    std::string ascii;
    for (std::size_t i = 0; i + 1 < value.size() && value[i] != 0; i += 2) ascii += value[i];
    value = ascii;
  }
  values[path] = value;
  for (std::size_t child = Align4(field + value_bytes); child < at + length;) {
    if (record.U16(child) == 0) break;
    ReadVersionNode(record, child, path, values);
    child = Align4(child + record.U16(child));
  }
}

class CompiledResources : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(TORVANE_COMPILED_RESOURCES)) {
      GTEST_SKIP() << "no compiled resources: x86_64-w64-mingw32-windres is missing";
    }
    resources_ = ReadResFile(Bytes{ReadFile(TORVANE_COMPILED_RESOURCES)});
  }
  std::vector<const Resource*> OfType(unsigned type) const {
    std::vector<const Resource*> found;
    for (const Resource& resource : resources_) {
      if (resource.type == type) found.push_back(&resource);
    }
    return found;
  }
  std::vector<Resource> resources_;
};

TEST_F(CompiledResources, IconGroupOneNamesImages30001To30012InOrder) {
  const std::vector<std::string> drawn = IconImages(Bytes{ReadFile(TORVANE_ICON_FILE)});
  const auto icons = OfType(3), groups = OfType(14);
  ASSERT_EQ(icons.size(), std::size_t(kImageCount));
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0]->name, 1u);
  EXPECT_EQ(groups[0]->language, 0x0804u);
  const Bytes group{groups[0]->data};
  ASSERT_EQ(group.data.size(), 6u + 14 * kImageCount);
  EXPECT_EQ(group.U16(2), 1u);
  EXPECT_EQ(group.U16(4), unsigned(kImageCount));
  for (int i = 0; i < kImageCount; ++i) {
    SCOPED_TRACE("image " + std::to_string(i + 1));
    EXPECT_EQ(icons[i]->name, 30001u + i);
    EXPECT_EQ(icons[i]->language, 0x0804u);
    EXPECT_TRUE(icons[i]->data == drawn.at(i));
    const std::size_t entry = 6 + 14 * i;
    EXPECT_EQ(group.U8(entry), unsigned(kImages[i].side % 256));
    EXPECT_EQ(group.U16(entry + 6), unsigned(kImages[i].bits));
    EXPECT_EQ(group.U32(entry + 8), icons[i]->data.size());
    EXPECT_EQ(group.U16(entry + 12), 30001u + i);
  }
}

TEST_F(CompiledResources, VersionRecordIs1_00InChinesePrc) {
  const auto versions = OfType(16);
  ASSERT_EQ(versions.size(), 1u);
  EXPECT_EQ(versions[0]->language, 0x0804u);
  std::map<std::string, std::string> values;
  ReadVersionNode(Bytes{versions[0]->data}, 0, "", values);
  const Bytes fixed{values["VS_VERSION_INFO"]};
  ASSERT_EQ(fixed.data.size(), 52u);
  EXPECT_EQ(fixed.U32(0), 0xFEEF04BDu);
  EXPECT_EQ(fixed.U32(8), 0x00010000u);   // file version 1.0
  EXPECT_EQ(fixed.U32(12), 0u);           // .0.0
  EXPECT_EQ(fixed.U32(16), 0x00010000u);  // product version 1.0
  EXPECT_EQ(fixed.U32(20), 0u);
  EXPECT_EQ(values["VS_VERSION_INFO/StringFileInfo/080404B0/FileVersion"], "1.00");
  EXPECT_EQ(values["VS_VERSION_INFO/StringFileInfo/080404B0/ProductVersion"], "1.00");
  const Bytes translation{values["VS_VERSION_INFO/VarFileInfo/Translation"]};
  ASSERT_EQ(translation.data.size(), 4u);
  EXPECT_EQ(translation.U16(0), 0x0804u);
}

}  // namespace
