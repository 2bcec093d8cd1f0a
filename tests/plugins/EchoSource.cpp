// The test data source "echo": reading gives the value of the option text=,
// writing takes any bytes and forgets them, and the option fail= makes Open
// refuse with that text. Built twice more, broken: with a CreateIO that makes
// nothing, and without CreateIO.

#include "plugins/DataSource.h"

namespace {

class TEchoSource final : public TDataSource {
protected:
  const char* TypeName() const override { return "echo"; }
  std::uint8_t Flags() const override { return QIO_FLAG_SPECIFIER | QIO_FLAG_OPTIONS; }

  bool Open(QIOParams& params, std::uint8_t mode) override {
    const std::string refusal = ParamValue(params, "fail");
    if (!refusal.empty()) return Fail(refusal);
    mode_ = mode;
    text_ = ParamValue(params, "text");
    return true;
  }
  bool ReadByte(std::uint8_t& byte) override {
    if (mode_ != QIO_MODE_READ) return Fail("Not open for reading");
    if (next_ == text_.size()) return Fail("End of echo");
    byte = static_cast<std::uint8_t>(text_[next_++]);
    return true;
  }
  bool WriteByte(std::uint8_t) override { return mode_ == QIO_MODE_WRITE || Fail("Not open for writing"); }
  void Close() override {}

private:
  std::uint8_t mode_ = 0xFF;
  std::string text_;
  std::size_t next_ = 0;
};

}  // namespace

#if defined(ECHO_CREATES_NOTHING)
QIO_EXPORT QIOInOut* CreateIO() { return nullptr; }
#elif !defined(ECHO_WITHOUT_CREATE)
QIO_EXPORT QIOInOut* CreateIO() { return new (std::nothrow) TEchoSource; }
#endif
