#include "JsonWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(JsonWriter, NumbersRoundTripAndNonFiniteIsNull)
{
    JsonWriter json;
    json.beginArray();
    for (double value : {0.0, 0.1, -2.5, 1e300, 5e-324, 100.0, std::nan(""), std::numeric_limits<double>::infinity()})
        json.value(value);
    json.value(int64_t {-9007199254740993});
    json.endArray();
    EXPECT_EQ(json.text(), "[0,0.1,-2.5,1e+300,5e-324,100,null,null,-9007199254740993]");
}

TEST(JsonWriter, StringsAreEscapedAndNestingPlacesCommas)
{
    JsonWriter json;
    json.beginObject();
    json.key("text");
    json.value(u"\"Бензол\"\\\n\t\x01");
    json.key("list");
    json.beginArray();
    json.beginObject();
    json.endObject();
    json.value(true);
    json.endArray();
    json.key("empty");
    json.beginObject();
    json.endObject();
    json.endObject();
    EXPECT_EQ(json.text(), "{\"text\":\"\\\"Бензол\\\"\\\\\\n\\t\\u0001\",\"list\":[{},true],\"empty\":{}}");
}
