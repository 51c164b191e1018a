// Bytes as source code: a C array with its length, and a Python bytes literal.
#include <cstring>

#include "tools/ExportEncoder.h"

namespace quoxa {

namespace {

int64_t LineCount(int64_t size, int32_t perLine) { return (size + perLine - 1) / perLine; }

class CArrayEncoder final : public TExportText::Encoder {
 public:
  CArrayEncoder(const TExportOptions& options, const uint8_t* data, int64_t size)
      : name_(options.name), perLine_(options.bytesPerLine), data_(data), size_(size) {}

  int64_t TextSize() const override {
    const int64_t body = size_ > 0 ? 6 * size_ + 2 * LineCount(size_, perLine_) - 1 : 0;
    return static_cast<int64_t>(HeaderText().size() + FooterText().size()) + body;
  }

  void Header(std::string& out) override { out += HeaderText(); }

  int64_t Line(std::string& out, int64_t pos) override {
    const int64_t n = size_ - pos < perLine_ ? size_ - pos : perLine_;
    const bool last = pos + n == size_;
    const size_t at = out.size();
    out.resize(at + 6 * n + (last ? 1 : 2));
    char* p = out.data() + at;
    *p++ = ' ';
    *p++ = ' ';
    for (int64_t i = 0; i < n; ++i) {
      if (i > 0) {
        *p++ = ',';
        *p++ = ' ';
      }
      *p++ = '0';
      *p++ = 'x';
      p = PutHexByte(p, data_[pos + i]);
    }
    if (!last) *p++ = ',';
    *p = '\n';
    return pos + n;
  }

  void Footer(std::string& out) override { out += FooterText(); }

 private:
  std::string HeaderText() const {
    // An array of no elements is no C: an empty image keeps one zero, its length says 0.
    return "const unsigned char " + name_ + (size_ > 0 ? "[] = {\n" : "[1] = {0};\n");
  }
  std::string FooterText() const {
    return std::string(size_ > 0 ? "};\n" : "") + "const unsigned " +
           (size_ > 0xFFFFFFFFLL ? "long long " : "int ") + name_ +
           "_len = " + std::to_string(size_) + ";\n";
  }

  std::string name_;
  int32_t perLine_;
  const uint8_t* data_;
  int64_t size_;
};

class PythonEncoder final : public TExportText::Encoder {
 public:
  PythonEncoder(const TExportOptions& options, const uint8_t* data, int64_t size)
      : name_(options.name), perLine_(options.bytesPerLine), data_(data), size_(size) {}

  int64_t TextSize() const override {
    const auto name = static_cast<int64_t>(name_.size());
    if (size_ == 0) return name + 7;
    return name + 5 + 4 * size_ + 8 * LineCount(size_, perLine_) + 2;
  }

  void Header(std::string& out) override { out += name_ + (size_ > 0 ? " = (\n" : " = b\"\"\n"); }

  int64_t Line(std::string& out, int64_t pos) override {
    const int64_t n = size_ - pos < perLine_ ? size_ - pos : perLine_;
    const size_t at = out.size();
    out.resize(at + 4 * n + 8);
    char* p = out.data() + at;
    std::memcpy(p, "    b\"", 6);
    p += 6;
    for (int64_t i = 0; i < n; ++i) {
      *p++ = '\\';
      *p++ = 'x';
      p = PutHexByte(p, data_[pos + i], kLowerDigits);
    }
    *p++ = '"';
    *p = '\n';
    return pos + n;
  }

  void Footer(std::string& out) override {
    if (size_ > 0) out += ")\n";
  }

 private:
  std::string name_;
  int32_t perLine_;
  const uint8_t* data_;
  int64_t size_;
};

}  // namespace

EncoderPtr MakeCArrayEncoder(const TExportOptions& options, const uint8_t* data, int64_t size) {
  return std::make_unique<CArrayEncoder>(options, data, size);
}

EncoderPtr MakePythonEncoder(const TExportOptions& options, const uint8_t* data, int64_t size) {
  return std::make_unique<PythonEncoder>(options, data, size);
}

}  // namespace quoxa
