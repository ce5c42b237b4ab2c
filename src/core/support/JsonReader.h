#pragma once
// A small reader of JSON documents, for the configuration files people write by hand
// (tallyscan6.json): objects, arrays, strings, numbers, true, false and null. Strings are UTF-8.
// A document nested deeper than 64 levels or larger than it needs to be is refused, not followed.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;                  // an array's
    std::map<std::string, JsonValue, std::less<>> members;  // an object's

    const JsonValue* member(std::string_view name) const {
        auto found = members.find(name);
        return found == members.end() ? nullptr : &found->second;
    }
};

struct JsonParse {
    std::optional<JsonValue> value;
    std::string error;  // "line 3: expected ':'" when value is empty
};

JsonParse parseJson(std::string_view text);

}  // namespace tally
