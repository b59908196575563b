#pragma once
// A small streaming JSON writer: objects, arrays, strings, integers and doubles in their
// shortest round-trip form (non-finite numbers become null).

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : m_out(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // Names the next value inside an object.
    JsonWriter& Key(std::string_view key);

    void String(std::string_view s);
    void Int(std::int64_t v);
    void Double(double v);
    void Bool(bool b);
    void Null();

    template <typename T>
    void Field(std::string_view key, const T& v) {
        Key(key);
        Value(v);
    }

    void Value(double v) { Double(v); }
    void Value(std::int32_t v) { Int(v); }
    void Value(std::uint32_t v) { Int(v); }
    void Value(std::uint8_t v) { Int(v); }
    void Value(std::int64_t v) { Int(v); }
    void Value(bool v) { Bool(v); }
    void Value(const std::string& v) { String(v); }
    void Value(const char* v) { String(v); }
    template <typename T>
    void Value(const std::vector<T>& v) {
        BeginArray();
        for (const T& e : v) Value(e);
        EndArray();
    }

private:
    void Separate();
    void WriteString(std::string_view s);

    std::ostream& m_out;
    // Per open container: whether a value was written already.
    std::vector<bool> m_hasItems;
    bool m_afterKey = false;
};
