#include "text/json.h"

#include <gtest/gtest.h>

#include <string>

#include "text/decimal.h"
#include "text/exact.h"
#include "text/string_output.h"

namespace quorvale {
namespace {

std::string document(void (*write)(JsonWriter&)) {
  StringOutput out;
  JsonWriter json(out);
  write(json);
  json.end();
  return out.bytes();
}

TEST(Json, EscapesQuotesBackslashesAndControlsAndLeavesCyrillicRaw) {
  EXPECT_EQ(document([](JsonWriter& json) {
              json.beginArray();
              json.string(U"a\"b\\c");
              json.string(U"\n\t\r\x01\x1f\x7f");
              json.string(std::u32string(1, U'\0') + U"end");
              json.string(U"кремовый ЧГ КШ «\u2028»");
              json.asciiString("ee\"\x1b");
              json.endArray();
            }),
            "[\"a\\\"b\\\\c\",\"\\n\\t\\u000d\\u0001\\u001f\\u007f\",\"\\u0000end\","
            "\"кремовый ЧГ КШ «\u2028»\",\"ee\\\"\\u001b\"]\n");
}

TEST(Json, OwnsTheCommasTheNestingAndTheLineEnds) {
  EXPECT_EQ(document([](JsonWriter& json) {
              json.beginObject(JsonWriter::Layout::kLines);
              json.key("a");
              json.beginArray();
              json.endArray();
              json.key("b");
              json.beginArray(JsonWriter::Layout::kLines);
              json.number(std::int64_t{-12});
              json.boolean(true);
              json.beginObject();
              json.key("c");
              json.null();
              json.key("d");
              json.fragment("{\"e\":1}");
              json.endObject();
              json.endArray();
              json.endObject();
            }),
            "{\n\"a\":[],\n\"b\":[\n-12,\ntrue,\n{\"c\":null,\"d\":{\"e\":1}}]}\n");
}

TEST(Json, ChancesKeepEveryDigitAndAValueThatIsNeverZero) {
  const auto chance = [](const Ratio& value) {
    StringOutput out;
    JsonWriter json(out);
    writeChance(value, json);
    json.end();
    return out.bytes();
  };
  EXPECT_EQ(chance(ratio(4, 6)),
            "{\"numerator\":\"2\",\"denominator\":\"3\",\"value\":0.666667}\n");
  EXPECT_EQ(chance(ratio(0, 8)), "{\"numerator\":\"0\",\"denominator\":\"1\",\"value\":0}\n");
  EXPECT_EQ(chance(ratio(1, 1 << 28)),
            "{\"numerator\":\"1\",\"denominator\":\"268435456\",\"value\":3.72529e-9}\n");
  // Six figures, rounded half up, trailing zeros dropped, 10^-4 and up
  // without a power of ten; a carry into a seventh figure.
  EXPECT_EQ(jsonValue(ratio(1, 4)), "0.25");
  EXPECT_EQ(jsonValue(ratio(1, 1)), "1");
  EXPECT_EQ(jsonValue(ratio(99, 4)), "24.75");
  EXPECT_EQ(jsonValue(ratio(1, 10000)), "0.0001");
  EXPECT_EQ(jsonValue(ratio(1, 100000)), "1e-5");
  EXPECT_EQ(jsonValue(ratio(9999995, 10000000)), "1");
  EXPECT_EQ(jsonValue(ratio(9999994, 10000000)), "0.999999");
  EXPECT_EQ(jsonValue(ratio(123456789, 100)), "1.23457e6");
  // (3/4)^99, of 48 and 60 digits: every digit, and a value that is not 0.
  const std::string big = chance({power(3, 99), power(4, 99)});
  EXPECT_EQ(big.substr(0, 63),
            "{\"numerator\":\"171792506910670443678820376588540424234035840667\"");
  EXPECT_TRUE(big.ends_with("\"value\":4.27627e-13}\n")) << big;
}

}  // namespace
}  // namespace quorvale
