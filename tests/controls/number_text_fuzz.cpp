// libFuzzer entry: random edit sequences on the widget-free field, and the change processing
// fed with arbitrary memories. Anything but a field that reads back its own value is a crash.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "controls/number_text_rules.h"
#include "number_field_model.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::int32_t Int() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Next();
    return static_cast<std::int32_t>(v);
  }
  QString Text(int maxLength) {
    QString s;
    for (int n = Next() % (maxLength + 1); n > 0 && !Empty(); --n) {
      const std::uint8_t b = Next();
      // Mostly the characters that matter, now and then any UTF-16 unit.
      static const char16_t kCommon[] = u"0123456789abcdefABCDEFg+- ,.";
      s += b < 0xf0 ? QChar(kCommon[b % (sizeof(kCommon) / 2 - 1)])
                    : QChar(static_cast<char16_t>(b << 8 | Next()));
    }
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  const auto kind = static_cast<TacNumberEditKind>(in.Next() % 3);

  // Unreachable memories too: the rules must stay within the text whatever they are given.
  const QString text = in.Text(16);
  const TNumberTextMemory memory{in.Text(16), in.Int(), in.Int(), static_cast<char16_t>(in.Next())};
  const std::int32_t maxValue = in.Int();
  const TNumberTextOutcome o = ProcessNumberText(text, in.Int(), memory, kind, maxValue);
  Check(o.Value >= 0);
  Check(o.Caret >= -1 && o.Caret <= o.Text.size());
  Check(o.Rewrite == (o.Text != text));

  NumberFieldModel field;
  field.Kind = kind;
  field.MaxValue = in.Next() % 2 ? 0 : in.Int() & 0x7fffffff;
  while (!in.Empty()) {
    const int n = static_cast<int>(field.Text.size());
    switch (in.Next() % 6) {
      case 0: {
        const QString c = in.Text(1);
        field.Type(c.isEmpty() ? u'5' : c[0].unicode());
        break;
      }
      case 1:
        field.Backspace();
        break;
      case 2:
        field.Delete();
        break;
      case 3:
        field.Paste(in.Text(12));
        break;
      case 4:
        field.MoveCaret(in.Next() % (n + 1));
        break;
      default:
        field.Select(in.Next() % (n + 1), in.Next() % (n + 1));
        break;
    }
    Check(field.Broken().empty());
  }
  return 0;
}
