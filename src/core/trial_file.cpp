#include "core/trial_file.h"

#include "core/mixture.h"
#include "core/numbers.h"
#include "core/messages.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace tarnwell {

namespace {

constexpr std::string_view kHeaderStem = "Tarnwell solubility test ";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the UTF-8 sequence at `at`, or 0 when it is not one (overlong
// forms, surrogates and values past U+10FFFF included).
std::size_t utf8Length(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = byte(at);
    if (c < 0x80) return 1;
    std::size_t len = 0;
    unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) len = 2;
    else if (c == 0xE0) len = 3, lo = 0xA0;
    else if (c >= 0xE1 && c <= 0xEC) len = 3;
    else if (c == 0xED) len = 3, hi = 0x9F;
    else if (c >= 0xEE && c <= 0xEF) len = 3;
    else if (c == 0xF0) len = 4, lo = 0x90;
    else if (c >= 0xF1 && c <= 0xF3) len = 4;
    else if (c == 0xF4) len = 4, hi = 0x8F;
    else return 0;
    if (at + len > s.size()) return 0;
    if (byte(at + 1) < lo || byte(at + 1) > hi) return 0;
    for (std::size_t i = 2; i < len; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    return len;
}

bool isUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = utf8Length(s, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

const char* hexDigits = "0123456789ABCDEF";

std::string hexEscape(unsigned char c) { return std::string("\\x") + hexDigits[c >> 4] + hexDigits[c & 15]; }

// A name as the file writes it: UTF-8, no control characters, no blank at
// either end that reading would drop.
std::string escapeName(std::string_view name) {
    std::string valid;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t len = utf8Length(name, i);
        if (len == 0) {
            valid += kReplacement;
            ++i;
        } else {
            valid.append(name.substr(i, len));
            i += len;
        }
    }
    std::size_t first = 0, last = valid.size();
    while (first < last && valid[first] == ' ') ++first;
    while (last > first && valid[last - 1] == ' ') --last;
    std::string out;
    for (std::size_t i = 0; i < valid.size(); ++i) {
        const auto c = static_cast<unsigned char>(valid[i]);
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c < 0x20 || c == 0x7F || (c == ' ' && (i < first || i >= last))) out += hexEscape(c);
        else out += static_cast<char>(c);
    }
    return out;
}


std::string fractionText(int hundredths) { return formatTwoDecimals(hundredths / 100.0); }

// A name inside a message: quoted, and cut short when it is long.
std::string quoted(std::string_view name) {
    constexpr std::size_t kShown = 40;
    std::size_t chars = 0, at = 0;
    while (at < name.size() && chars < kShown) {
        const std::size_t len = utf8Length(name, at);
        at += len == 0 ? 1 : len;
        ++chars;
    }
    std::string shown(name.substr(0, at));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return "\"" + shown + (at < name.size() ? "...\"" : "\"");
}

std::string ndwText(double n, double d, double w) {
    return liquidValueText(n) + ", " + liquidValueText(d) + ", " + liquidValueText(w);
}

float fractionValue(int hundredths) { return static_cast<float>(hundredths / 100.0); }

bool fractionsAddToOne(const std::vector<LiquidComponent>& parts) {
    std::array<float, 3> c{};
    for (std::size_t k = 0; k < parts.size() && k < 3; ++k) c[k] = fractionValue(parts[k].hundredths);
    return totalIsOne(concentrationTotal(c[0], c[1], c[2]));
}

// --- Reading ------------------------------------------------------------------------

struct Failure {
    TestFileError error;
};

[[noreturn]] void fail(int line, std::string message) { throw Failure{{line, std::move(message)}}; }

std::string unescapeName(std::string_view value, int line) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (i + 1 >= value.size()) fail(line, "a name ends in a lone backslash; write a backslash as \\\\.");
        const char e = value[++i];
        if (e == '\\') out += '\\';
        else if (e == 'n') out += '\n';
        else if (e == 'r') out += '\r';
        else if (e == 't') out += '\t';
        else if (e == 'x') {
            auto hex = [](char c) -> int {
                if (c >= '0' && c <= '9') return c - '0';
                if (c >= 'A' && c <= 'F') return c - 'A' + 10;
                if (c >= 'a' && c <= 'f') return c - 'a' + 10;
                return -1;
            };
            const int hi = i + 1 < value.size() ? hex(value[i + 1]) : -1;
            const int lo = i + 2 < value.size() ? hex(value[i + 2]) : -1;
            if (hi < 0 || lo < 0 || hi >= 8)
                fail(line, "\\x in a name must be followed by two hex digits from 00 to 7F.");
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            fail(line, std::string("unknown escape \"\\") + (static_cast<unsigned char>(e) < 0x80 ? std::string(1, e) : "") +
                           "\" in a name; a backslash starts \\\\, \\n, \\r, \\t or \\xHH.");
        }
    }
    return out;
}

std::optional<TestResult> readResult(std::string_view text) {
    auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
            if (lower(a[i]) != lower(b[i])) return false;
        }
        return true;
    };
    for (TestResult r : {TestResult::Dissolves, TestResult::Partly, TestResult::NoEffect, TestResult::NotTried})
        if (same(text, testResultText(r))) return r;
    return std::nullopt;
}

std::vector<std::string_view> splitBlanks(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isBlank(s[i])) ++i;
        const std::size_t start = i;
        while (i < s.size() && !isBlank(s[i])) ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

class Reader {
public:
    SolubilityTest read(std::string_view bytes) {
        if (bytes.size() > kMaxTestFileBytes) fail(0, "The file is larger than 4 MB, far larger than a solubility test.");
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // a byte order mark
        if (bytes.empty()) fail(0, "The file is empty.");
        int number = 0;
        std::size_t at = 0;
        while (at < bytes.size()) {
            std::size_t end = bytes.find('\n', at);
            if (end == std::string_view::npos) end = bytes.size();
            std::string_view line = bytes.substr(at, end - at);
            at = end + 1;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            readLine(line, ++number);
        }
        finishLiquid();
        if (!sawMaterial_) fail(0, "The file has no \"Material:\" line.");
        return std::move(test_);
    }

private:
    void readLine(std::string_view line, int number) {
        if (!isUtf8(line)) fail(number, "the text is not UTF-8.");
        for (char c : line) {
            const auto u = static_cast<unsigned char>(c);
            if ((u < 0x20 && c != '\t') || u == 0x7F)
                fail(number, std::string("the line holds a control character (byte 0x") + hexDigits[u >> 4] + hexDigits[u & 15] +
                                 "); in a name, write it as " + hexEscape(u) + ".");
        }
        if (number == 1) {
            if (line == kTestFileHeader) return;
            if (line.substr(0, kHeaderStem.size()) == kHeaderStem)
                fail(1, "the test is in format " + quoted(line.substr(kHeaderStem.size())) +
                            ", which this version of Tarnwell cannot read.");
            fail(1, std::string("this is not a Tarnwell solubility test: the first line must read \"") + kTestFileHeader +
                        "\".");
        }
        const std::string_view trimmed = trimBlanks(line);
        if (trimmed.empty() || trimmed.front() == '#') return;
        const std::size_t colon = trimmed.find(':');
        if (colon == std::string_view::npos)
            fail(number, "expected a line such as \"Result: Dissolves\", found " + quoted(trimmed) + ".");
        const std::string_view key = trimBlanks(trimmed.substr(0, colon));
        const std::string_view value = trimBlanks(trimmed.substr(colon + 1));
        if (key == "Material") return readMaterial(value, number);
        if (key == "Liquid") return startLiquid(value, number);
        if (key == "N D W" || key == "Result" || key == "Part") {
            if (!open_) fail(number, "\"" + std::string(key) + ":\" before the first \"Liquid:\".");
            if (key == "N D W") return readNdw(value, number);
            if (key == "Result") return readResultLine(value, number);
            return readPart(value, number);
        }
        fail(number, "unknown line " + quoted(key) + "; expected Material:, Liquid:, N D W:, Result: or Part:.");
    }

    void readMaterial(std::string_view value, int number) {
        if (sawMaterial_) fail(number, "a second \"Material:\" line; a test has one material.");
        test_.material = unescapeName(value, number);
        sawMaterial_ = true;
    }

    void startLiquid(std::string_view value, int number) {
        finishLiquid();
        if (!sawMaterial_) fail(number, "\"Liquid:\" before \"Material:\"; the material comes first.");
        if (test_.liquids.size() >= kMaxTestLiquids)
            fail(number, "more than " + std::to_string(kMaxTestLiquids) + " liquids; a test holds at most that many.");
        liquid_ = TestLiquid{};
        liquid_.name = unescapeName(value, number);
        if (liquid_.name.empty()) fail(number, "the liquid has no name.");
        open_ = true;
        liquidLine_ = number;
        sawNdw_ = sawResult_ = false;
    }

    void readNdw(std::string_view value, int number) {
        const std::string who = " of the liquid " + quoted(liquid_.name);
        if (sawNdw_) fail(number, "a second \"N D W:\" line for the liquid " + quoted(liquid_.name) + ".");
        const std::vector<std::string_view> fields = splitBlanks(value);
        if (fields.size() != 3)
            fail(number, "\"N D W:\" needs three numbers, N, D and W, separated by blanks.");
        const char* names[3] = {"N", "D", "W"};
        double v[3] = {};
        for (int k = 0; k < 3; ++k) {
            const std::optional<double> x = parseDouble(fields[static_cast<std::size_t>(k)]);
            if (!x || !std::isfinite(*x))
                fail(number, std::string(names[k]) + who + " is not a number: " + quoted(fields[static_cast<std::size_t>(k)]) + ".");
            if (*x < 0.0 || *x > 100.0)
                fail(number, std::string(names[k]) + who + " is " + std::string(fields[static_cast<std::size_t>(k)]) +
                                 "; it must lie between 0 and 100.");
            v[k] = *x == 0.0 ? 0.0 : *x;  // no negative zero
        }
        if (!hasChartPlace(v[0], v[1], v[2])) fail(number, "N, D and W" + who + " are all 0, which has no place on the chart.");
        liquid_.n = v[0];
        liquid_.d = v[1];
        liquid_.w = v[2];
        sawNdw_ = true;
    }

    void readResultLine(std::string_view value, int number) {
        if (sawResult_) fail(number, "a second \"Result:\" line for the liquid " + quoted(liquid_.name) + ".");
        const std::optional<TestResult> r = readResult(value);
        if (!r) fail(number, "the result must be Dissolves, Partly, No effect or Not tried, not " + quoted(value) + ".");
        liquid_.result = *r;
        sawResult_ = true;
    }

    void readPart(std::string_view value, int number) {
        if (liquid_.components.size() >= 3)
            fail(number, "a fourth \"Part:\" line for the liquid " + quoted(liquid_.name) +
                             "; a mixture is made of two or three solvents.");
        std::size_t split = 0;
        while (split < value.size() && !isBlank(value[split])) ++split;
        const std::string_view fraction = value.substr(0, split);
        const std::string_view label = trimBlanks(value.substr(split));
        const ConcentrationEntry entry = readConcentration(fraction);
        if (entry.kind != ConcentrationKind::Accepted || label.empty())
            fail(number, "\"Part:\" needs a volume fraction from 0.00 to 1.00, a blank and the solvent's label.");
        LiquidComponent part;
        part.hundredths = static_cast<int>(std::lround(static_cast<double>(entry.value) * 100.0));
        part.label = unescapeName(label, number);
        liquid_.components.push_back(std::move(part));
    }

    void finishLiquid() {
        if (!open_) return;
        open_ = false;
        const std::string who = "the liquid " + quoted(liquid_.name);
        if (!sawNdw_) fail(liquidLine_, who + " has no \"N D W:\" line.");
        if (!sawResult_) fail(liquidLine_, who + " has no \"Result:\" line.");
        if (liquid_.components.size() == 1)
            fail(liquidLine_, who + " has one \"Part:\" line; a mixture is made of two or three solvents.");
        if (!liquid_.components.empty() && !fractionsAddToOne(liquid_.components)) {
            int sum = 0;
            for (const LiquidComponent& c : liquid_.components) sum += c.hundredths;
            fail(liquidLine_, "the volume fractions of " + who + " add up to " + fractionText(sum) + ", not 1.00.");
        }
        test_.liquids.push_back(std::move(liquid_));
    }

    SolubilityTest test_;
    TestLiquid liquid_;
    bool sawMaterial_ = false, open_ = false, sawNdw_ = false, sawResult_ = false;
    int liquidLine_ = 0;
};

}  // namespace

std::string writeSolubilityTest(const SolubilityTest& test) {
    constexpr const char* eol = "\r\n";
    std::string out = std::string(kTestFileHeader) + eol;
    out += "Material: " + escapeName(test.material) + eol;
    for (const TestLiquid& liquid : test.liquids) {
        out += eol;
        out += "Liquid: " + escapeName(liquid.name) + eol;
        out += "N D W: " + liquidValueText(liquid.n) + " " + liquidValueText(liquid.d) + " " + liquidValueText(liquid.w) + eol;
        out += std::string("Result: ") + testResultText(liquid.result) + eol;
        for (const LiquidComponent& part : liquid.components)
            out += "Part: " + fractionText(part.hundredths) + " " + escapeName(part.label) + eol;
    }
    return out;
}

TestFileOutcome readSolubilityTest(std::string_view bytes) {
    try {
        return Reader().read(bytes);
    } catch (const Failure& f) {
        return f.error;
    }
}

std::string testFileErrorText(const TestFileError& error) {
    if (error.line <= 0) return error.message;
    return "Line " + std::to_string(error.line) + ": " + error.message;
}

ResolvedTest resolveAgainstTable(const SolubilityTest& test, const SolventTable& table) {
    std::unordered_map<std::string_view, int> rowOf;
    for (std::size_t row = 0; row < table.records.size(); ++row)
        if (static_cast<int>(row) != table.lastIndex) rowOf.emplace(table.records[row].label, static_cast<int>(row));

    ResolvedTest out;
    out.test = test;
    for (std::size_t i = 0; i < out.test.liquids.size(); ++i) {
        TestLiquid& liquid = out.test.liquids[i];
        const std::string stored = ndwText(liquid.n, liquid.d, liquid.w);
        auto note = [&](LiquidNoteKind kind, std::string text) { out.notes.push_back({i, kind, std::move(text)}); };

        std::optional<std::string> missing;
        LiquidOutcome made;
        if (liquid.components.empty()) {
            const auto found = rowOf.find(liquid.name);
            if (found == rowOf.end()) missing = liquid.name;
            else made = liquidFromRecord(table, found->second);
        } else {
            std::vector<MixturePart> parts;
            for (const LiquidComponent& c : liquid.components) {
                const auto found = rowOf.find(c.label);
                if (found == rowOf.end()) {
                    missing = c.label;
                    break;
                }
                parts.push_back({found->second, fractionText(c.hundredths)});
            }
            if (!missing) made = liquidFromMixture(table, parts);
        }

        if (missing) {
            const std::string which = liquid.components.empty()
                                          ? quoted(liquid.name) + " is not in the solvent list"
                                          : quoted(liquid.name) + ": its solvent " + quoted(*missing) + " is not in the solvent list";
            note(LiquidNoteKind::NotInList, which + "; it keeps the N, D, W stored in the file (" + stored + ").");
            continue;
        }
        const TestLiquid* now = std::get_if<TestLiquid>(&made);
        if (!now) {
            note(LiquidNoteKind::Unreadable, quoted(liquid.name) +
                                                 ": the solvent list cannot make this liquid now; it keeps the N, D, W "
                                                 "stored in the file (" + stored + ").");
            continue;
        }
        if (now->n != liquid.n || now->d != liquid.d || now->w != liquid.w) {
            note(LiquidNoteKind::ValuesChanged, quoted(liquid.name) + ": the solvent list now gives N, D, W = " +
                                                    ndwText(now->n, now->d, now->w) + " (the file had " + stored + ").");
            liquid.n = now->n;
            liquid.d = now->d;
            liquid.w = now->w;
        }
    }
    return out;
}

}  // namespace tarnwell
