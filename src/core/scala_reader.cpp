// SPDX-License-Identifier: GPL-3.0-or-later
#include "scala_reader.h"

#include "cents.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

namespace stimmung::tuning {

namespace {

// A long token is quoted in a message with its first code points only.
constexpr std::size_t kQuotedCodePoints = 32;
constexpr std::size_t kBytesPerMiB = 1024 * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsControl(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F; }

// The length of the UTF-8 sequence at `at`, 0 when it is not well formed
// (overlong forms, surrogates and code points above U+10FFFF included).
std::size_t Utf8Length(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u; };
    const unsigned lead = byte(at);
    const auto continues = [&](std::size_t i, unsigned low, unsigned high) {
        return byte(i) >= low && byte(i) <= high;
    };
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return continues(at + 1, 0x80, 0xBF) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        return continues(at + 1, low, high) && continues(at + 2, 0x80, 0xBF) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        return continues(at + 1, low, high) && continues(at + 2, 0x80, 0xBF) && continues(at + 3, 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

bool IsUtf8(std::string_view s) {
    for (std::size_t at = 0; at < s.size();) {
        const std::size_t length = Utf8Length(s, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

// UTF-8 text as it is; anything else read as Latin-1.
std::string AsUtf8(std::string_view s) {
    if (IsUtf8(s)) return std::string(s);
    std::string text;
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::string Quoted(std::string_view token) {
    std::string text = AsUtf8(token);
    std::size_t at = 0;
    for (std::size_t points = 0; at < text.size() && points < kQuotedCodePoints; ++points) at += Utf8Length(text, at);
    if (at < text.size()) text = text.substr(0, at) + "…";
    return "\"" + text + "\"";
}

std::string_view FirstToken(std::string_view line) {
    std::size_t begin = 0;
    while (begin < line.size() && IsBlank(line[begin])) ++begin;
    std::size_t end = begin;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    return line.substr(begin, end - begin);
}

bool AllDigits(std::string_view s) {
    for (const char c : s)
        if (!IsDigit(c)) return false;
    return !s.empty();
}

// The value of a string of digits, none when it is above `limit`.
std::optional<std::uint64_t> DigitsValue(std::string_view digits, std::uint64_t limit) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (value > (limit - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// A whole number with an optional sign.
struct Whole {
    bool negative = false;
    std::string_view digits;
};

std::optional<Whole> ReadWhole(std::string_view s) {
    Whole whole;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        whole.negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (!AllDigits(s)) return std::nullopt;
    whole.digits = s;
    return whole;
}

bool IsZero(std::string_view digits) { return digits.find_first_not_of('0') == std::string_view::npos; }

// Thrown inside the reader only: the message for the line that is refused.
struct Refused {
    Refused(int line, const std::string& what) : text("Zeile " + std::to_string(line) + ": " + what) {}
    std::string text;
};

// The physical lines of the text, numbered from 1, without line ends.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    // The next line that is not a comment; false at the end of the text.
    bool NextData(std::string_view& line) {
        while (Next(line))
            if (line.empty() || line.front() != '!') return true;
        return false;
    }
    // The number of the line last read; after the end, of the line after it.
    int number() const { return number_ + (ended_ ? 1 : 0); }

private:
    bool Next(std::string_view& line) {
        if (at_ >= text_.size()) {
            ended_ = true;
            return false;
        }
        std::size_t end = text_.find('\n', at_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(at_, end - at_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at_ = end + 1;
        ++number_;
        return true;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 0;
    bool ended_ = false;
};

int ReadCount(Lines& lines) {
    std::string_view line;
    const std::string_view token = lines.NextData(line) ? FirstToken(line) : std::string_view();
    const int number = lines.number();
    if (token.empty()) throw Refused(number, "Die Anzahl der Tonhöhen fehlt.");
    const std::optional<Whole> count = ReadWhole(token);
    if (!count) throw Refused(number, "Die Anzahl " + Quoted(token) + " ist keine ganze Zahl.");
    if (count->negative && !IsZero(count->digits))
        throw Refused(number, "Die Anzahl " + Quoted(token) + " ist negativ.");
    const auto value = DigitsValue(count->digits, kScalaMaxPitches);
    if (!value)
        throw Refused(number,
                      "Die Anzahl " + Quoted(token) + " ist größer als " + std::to_string(kScalaMaxPitches) + ".");
    return static_cast<int>(*value);
}

ScalaPitch ReadCents(std::string_view token, int number) {
    std::string_view digits = token;
    const bool minus = digits.front() == '-';
    if (minus || digits.front() == '+') digits.remove_prefix(1);
    const std::size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point), fraction = digits.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || (!whole.empty() && !AllDigits(whole)) ||
        (!fraction.empty() && !AllDigits(fraction)))
        throw Refused(number, Quoted(token) + " ist keine Tonhöhe.");
    double cents = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), cents, std::chars_format::fixed);
    // Out of a double's range: beyond the limit, or below its smallest step.
    const bool tiny = result.ec == std::errc::result_out_of_range && IsZero(whole);
    if ((result.ec != std::errc() && !tiny) || cents > kScalaMaxOctaves * kCentsPerOctave)
        throw Refused(number, "Der Cent-Wert " + Quoted(token) + " liegt mehr als " + std::to_string(kScalaMaxOctaves) +
                                  " Oktaven vom Grundton.");
    if (tiny || cents == 0) return CentsPitch(0);
    return CentsPitch(minus ? -cents : cents);
}

ScalaPitch ReadRatio(std::string_view token, int number) {
    const std::size_t slash = token.find('/');
    const std::optional<Whole> numerator = ReadWhole(token.substr(0, slash));
    const std::optional<Whole> denominator =
        slash == std::string_view::npos ? Whole{false, "1"} : ReadWhole(token.substr(slash + 1));
    if (!numerator || !denominator) throw Refused(number, Quoted(token) + " ist keine Tonhöhe.");
    if (numerator->negative || denominator->negative || IsZero(numerator->digits) || IsZero(denominator->digits))
        throw Refused(number, Quoted(token) + " ist kein Verhältnis größer als 0.");
    constexpr auto limit = static_cast<std::uint64_t>(std::numeric_limits<long long>::max());
    const auto n = DigitsValue(numerator->digits, limit), d = DigitsValue(denominator->digits, limit);
    if (!n || !d) throw Refused(number, "Zähler oder Nenner von " + Quoted(token) + " ist zu groß.");
    return ExactPitch(static_cast<long long>(*n), static_cast<long long>(*d));
}

ScalaPitch ReadPitch(Lines& lines, int read, int count) {
    std::string_view line;
    if (!lines.NextData(line))
        throw Refused(lines.number(),
                      "Die Datei endet nach " + std::to_string(read) + " von " + std::to_string(count) + " Tonhöhen.");
    const std::string_view token = FirstToken(line);
    if (token.empty()) throw Refused(lines.number(), "Die Tonhöhe fehlt (leere Zeile).");
    if (token.find('.') != std::string_view::npos) return ReadCents(token, lines.number());
    return ReadRatio(token, lines.number());
}

ScalaScale Read(std::string_view text) {
    for (std::size_t at = 0, line = 1; at < text.size(); ++at) {
        if (text[at] == '\n') ++line;
        if (IsControl(static_cast<unsigned char>(text[at]))) {
            constexpr char kHex[] = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(text[at]);
            const std::string code{kHex[byte >> 4], kHex[byte & 0xF]};
            throw Refused(static_cast<int>(line), "Die Datei ist keine Textdatei (Steuerzeichen 0x" + code + ").");
        }
    }
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    Lines lines(text);
    ScalaScale scale;
    std::string_view description;
    if (!lines.NextData(description)) throw Refused(lines.number(), "Die Beschreibung fehlt.");
    while (!description.empty() && IsBlank(description.back())) description.remove_suffix(1);
    scale.description = AsUtf8(description);
    const int count = ReadCount(lines);
    scale.pitches.reserve(count);
    for (int read = 0; read < count; ++read) scale.pitches.push_back(ReadPitch(lines, read, count));
    return scale;
}

} // namespace

ScalaReading ReadScalaText(std::string_view bytes) {
    if (bytes.size() > kScalaMaxBytes)
        return {{}, "Die Datei ist größer als " + std::to_string(kScalaMaxBytes / kBytesPerMiB) + " MiB."};
    try {
        return {Read(bytes), {}};
    } catch (const Refused& refused) {
        return {{}, refused.text};
    } catch (...) {
        return {{}, "Die Datei konnte nicht gelesen werden."};
    }
}

double PitchRatio(const ScalaPitch& pitch) {
    if (pitch.numerator != 0) return static_cast<double>(pitch.numerator) / static_cast<double>(pitch.denominator);
    return RatioOfCents(pitch.cents);
}

} // namespace stimmung::tuning
