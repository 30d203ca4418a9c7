// The inspector's JSON output: one object per workbook file.

#include "Inspector.h"
#include "TextHelpers.h"
#include "game/GameSession.h"

#include <cmath>
#include <vector>

namespace orvik::inspect {

namespace {

class JsonWriter {
public:
    std::string take() { return std::move(s_); }

    JsonWriter& open(char bracket) {
        comma();
        s_ += bracket;
        first_.push_back(true);
        return *this;
    }
    JsonWriter& close(char bracket) {
        s_ += bracket;
        first_.pop_back();
        return *this;
    }
    JsonWriter& key(std::string_view k) {
        comma();
        s_ += JsonString(std::string(k));
        s_ += ':';
        pendingKey_ = true;
        return *this;
    }
    JsonWriter& value(const Value& v) {
        comma();
        switch (v.type) {
        case Value::Type::Integer:
            s_ += std::to_string(v.integer);
            break;
        case Value::Type::Real:
            // Non-finite reals have no JSON number: they go as strings.
            s_ += std::isfinite(v.real) ? ExactText(v) : JsonString(ExactText(v));
            break;
        case Value::Type::Text:
            s_ += JsonString(v.text);
            break;
        }
        return *this;
    }
    JsonWriter& string(const std::string& text) { return value(Value::Text(text)); }
    JsonWriter& integer(std::int64_t n) { return value(Value::Int(n)); }
    JsonWriter& boolean(bool b) {
        comma();
        s_ += b ? "true" : "false";
        return *this;
    }
    JsonWriter& null() {
        comma();
        s_ += "null";
        return *this;
    }

    // The fields of a record as members; array fields become JSON arrays.
    void fields(const std::vector<Field>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const Field& f = fields[i];
            if (f.index < 0) {
                key(f.name).value(f.value);
                continue;
            }
            if (f.index == 0)
                key(f.name).open('[');
            value(f.value);
            if (i + 1 == fields.size() || fields[i + 1].name != f.name || fields[i + 1].index < 0)
                close(']');
        }
    }

private:
    void comma() {
        if (pendingKey_) {
            pendingKey_ = false;
            return;
        }
        if (!first_.empty()) {
            if (!first_.back())
                s_ += ',';
            first_.back() = false;
        }
    }

    std::string s_;
    std::vector<bool> first_;
    bool pendingKey_ = false;
};

void CheckJson(JsonWriter& j, const CheckResult& check) {
    j.key("recompute").open('{');
    j.key("agree").boolean(check.CountedDisagreements() == 0);
    j.key("countedDisagreements").integer(check.CountedDisagreements());
    j.key("countedDifferences").integer(static_cast<std::int64_t>(check.CountedDifferences()));
    j.key("records").open('[');
    for (const RecordCheck& c : check.records) {
        j.open('{');
        j.key("record").string(c.key);
        j.key("title").string(c.title);
        j.key("part").integer(c.part);
        j.key("done").boolean(c.done);
        j.key("computed").boolean(c.computed);
        j.key("counted").boolean(c.Counted());
        j.key("error");
        if (c.error.empty())
            j.null();
        else
            j.string(c.error);
        j.key("formulaError").boolean(c.formulaError);
        j.key("differences").open('[');
        for (const Difference& d : c.differences) {
            j.open('{');
            j.key("record").string(d.record);
            j.key("field").string(d.field);
            j.key("stored").value(d.stored);
            j.key("recomputed").value(d.recomputed);
            j.close('}');
        }
        j.close(']');
        j.close('}');
    }
    j.close(']');
    j.close('}');
}

void DecisionJson(JsonWriter& j, const GameDecision& d) {
    j.open('{');
    j.key("Technology").integer(d.Technology);
    j.key("MinFeature").value(Value::Real(d.MinFeature));
    j.key("ChipArea").value(Value::Real(d.ChipArea));
    j.key("DeviceIntegration").integer(d.DeviceIntegration);
    j.key("Price").value(Value::Real(d.Price));
    j.key("Volume").integer(d.Volume);
    j.key("Advertising").value(Value::Real(d.Advertising));
    j.close('}');
}

template <typename Values> void RealsJson(JsonWriter& j, const Values& values) {
    j.open('[');
    for (const auto v : values)
        j.value(Value::Real(static_cast<double>(v)));
    j.close(']');
}

// One firm's year: its offer, its processor, its market and its money.
void FirmYearJson(JsonWriter& j, int firm, const FirmYear& fy) {
    j.open('{');
    j.key("name").string(kGameFirmNames[static_cast<std::size_t>(firm)]);
    j.key("InMarket").boolean(fy.InMarket);
    j.key("Decision");
    DecisionJson(j, fy.Decision);
    j.key("Made").boolean(fy.Product.Made);
    j.key("Frequency").value(Value::Real(fy.Product.Frequency));
    j.key("Mtbf").value(Value::Real(fy.Product.Mtbf));
    j.key("UnitCost").value(Value::Real(fy.Product.UnitCost));
    j.key("GoodChips").value(Value::Real(fy.Product.GoodChips));
    j.key("Performance").value(Value::Real(fy.Product.Performance));
    j.key("Share");
    RealsJson(j, fy.Share);
    j.key("Sales").open('[');
    for (const std::int64_t n : fy.Sales)
        j.integer(n);
    j.close(']');
    j.key("TotalSales").integer(fy.TotalSales);
    const FirmMoney& m = fy.Money;
    for (const auto& [name, v] : {std::pair{"Revenue", m.Revenue},
                                  {"Production", m.Production},
                                  {"Warranty", m.Warranty},
                                  {"AdvertisingCost", m.Advertising},
                                  {"FixedCosts", m.FixedCosts},
                                  {"Profit", m.Profit},
                                  {"Interest", m.Interest},
                                  {"Cash", m.Cash}})
        j.key(name).value(Value::Real(v));
    j.key("Bankrupt").boolean(fy.Bankrupt);
    j.close('}');
}

void YearJson(JsonWriter& j, const YearResult& y) {
    j.open('{');
    j.key("Year").integer(y.Year);
    j.key("MarketSize");
    RealsJson(j, y.MarketSize);
    j.key("firms").open('[');
    for (int f = 0; f < kGameFirmCount; ++f)
        FirmYearJson(j, f, y.Firms[static_cast<std::size_t>(f)]);
    j.close(']');
    j.close('}');
}

// The places after the last year played, and the verdict.
void StandingJson(JsonWriter& j, const FinalStanding& standing) {
    j.key("standing").open('[');
    for (int i = 0; i < kGameFirmCount; ++i) {
        const StandingRow& row = standing.Rows[static_cast<std::size_t>(i)];
        j.open('{');
        j.key("place").integer(i + 1);
        j.key("firm").integer(row.Firm);
        j.key("name").string(kGameFirmNames[static_cast<std::size_t>(row.Firm)]);
        j.key("Cash").value(Value::Real(row.Cash));
        j.key("Bankrupt").boolean(row.Bankrupt);
        j.close('}');
    }
    j.close(']');
    j.key("StudentPlace").integer(standing.StudentPlace);
    j.key("verdict").string(standing.Verdict);
}

// The game: its saved state and what the replay of it gives. Reals with 17
// significant digits, as everywhere in this output, so that a replay of the
// model elsewhere can be compared bit for bit.
void GameJson(JsonWriter& j, const Workbook& wb) {
    const GameReplay replay = ReplayGame(wb);
    if (!replay.started && !replay.lost) {
        j.null();
        return;
    }
    j.open('{');
    j.key("Block").string(GameBlockName(wb.Game.Origin));
    if (replay.lost) {
        j.key("error").string(replay.error);
        j.close('}');
        return;
    }
    j.key("Variant").integer(wb.Game.Variant);
    j.key("Restarts").integer(wb.Game.Restarts);
    j.key("Decisions").open('[');
    for (const GameDecision& d : wb.Game.Decisions)
        DecisionJson(j, d);
    j.close(']');
    if (!replay.session) {
        j.key("error").string(replay.error);
        j.close('}');
        return;
    }
    j.key("error").null();
    const GameSession& s = *replay.session;
    j.key("over").boolean(s.over());
    j.key("years").open('[');
    for (const YearResult& y : s.years())
        YearJson(j, y);
    j.close(']');
    StandingJson(j, s.standing());
    j.close('}');
}

} // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                AppendUtf8(out, c);
            }
        }
    }
    out += '"';
    return out;
}

std::string WorkbookJson(const std::string& file, const Workbook& wb, const CheckResult* check) {
    JsonWriter j;
    j.open('{');
    j.key("file").string(file);
    j.key("error").null();
    j.key("GuideAutoStart").integer(wb.GuideAutoStart);
    const StudentData s = Student(wb);
    j.key("sStudent").string(s.student);
    j.key("sGroup").string(s.group);
    j.key("sPrepod").string(s.teacher);
    j.key("sVar").string(s.variant);
    j.key("PartDone").open('[');
    for (const std::uint8_t f : wb.PartDone)
        j.integer(f);
    j.close(']');
    j.key("parts").open('[');
    for (int p = 0; p < kPartCount; ++p) {
        j.open('{');
        j.key("index").integer(p);
        j.key("labWork").integer(PartLabWork(p));
        j.key("name").string(PartName(p));
        j.key("done").integer(wb.PartDone[static_cast<std::size_t>(p)]);
        j.close('}');
    }
    j.close(']');
    j.key("records").open('{');
    for (const RecordInfo& info : Records()) {
        j.key(info.key).open('{');
        j.key("title").string(info.title);
        j.key("part").integer(info.part);
        j.key("fields").open('{');
        j.fields(DescribeRecord(wb, info));
        j.close('}');
        j.close('}');
    }
    j.key(kCurveTableKey).open('{');
    j.key("title").string(kCurveTableTitle);
    j.key("part").integer(PartProcessor1);
    j.key("rows").open('[');
    for (int set = 0; set < 3; ++set)
        for (int row = 0; row < 50; ++row) {
            j.open('{');
            j.key("set").integer(set);
            j.key("row").integer(row);
            j.fields(DescribeProcessor(
                wb.CurveTable[static_cast<std::size_t>(set)][static_cast<std::size_t>(row)]));
            j.close('}');
        }
    j.close(']');
    j.close('}');
    j.close('}');
    j.key("problems").open('[');
    for (const Problem& p : FindProblems(wb)) {
        j.open('{');
        j.key("record").string(p.record);
        j.key("field").string(p.field);
        j.key("message").string(p.message);
        j.close('}');
    }
    j.close(']');
    j.key("Game");
    GameJson(j, wb);
    if (check)
        CheckJson(j, *check);
    j.close('}');
    return j.take();
}

std::string ErrorJson(const std::string& file, const std::string& message) {
    JsonWriter j;
    j.open('{');
    j.key("file").string(file);
    j.key("error").string(message);
    j.close('}');
    return j.take();
}

} // namespace orvik::inspect
