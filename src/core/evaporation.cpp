#include "core/evaporation.h"

#include "core/messages.h"
#include "core/mixture_hazards.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace tarnwell {

namespace {

using Amounts = std::array<double, 3>;

// A share the liquid only tends to, never reaches: marks within this of it
// are not reached.
constexpr double kUnreachableMargin = 1e-9;
// The path is drawn through points no further apart than this many Teas
// points; halving the stretch between two points at most this often.
constexpr double kPathPointSpacing = 0.25;
constexpr int kMaxHalvings = 12;
// Past the last whole percent of a liquid that stops short of 99 %: steps of
// one e-fold of its slowest evaporating solvent, then the limit.
constexpr int kTailSteps = 40;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The exact solution n_i(S) = n_i0 exp(-P_i S) over the solvents that take part.
class Liquid {
public:
    Liquid(const Amounts& start, const Amounts& pressure, const Amounts& molarVolume, std::size_t count)
        : start_(start), pressure_(pressure), count_(count) {
        for (std::size_t i = 0; i < count_; ++i) {
            part_[i] = start_[i] * molarVolume[i];
            startVolume_ += part_[i];
            if (pressure_[i] == 0.0) floorVolume_ += part_[i];
        }
    }

    Amounts amounts(double s) const {
        Amounts n{};
        for (std::size_t i = 0; i < count_; ++i) n[i] = start_[i] * decay(i, s);
        return n;
    }

    double share(double s) const { return 1.0 - volume(s) / startVolume_; }

    // The share the liquid tends to and never passes: 1 unless a solvent does not evaporate.
    double reachable() const { return 1.0 - floorVolume_ / startVolume_; }

    // S at which `share` of the starting volume has evaporated, found by
    // Newton's method from `from` (at or below the root): the volume is a
    // convex, falling sum of exponentials, so each step lands at or below the
    // root and the steps rise to it. Nothing when the share is not reached.
    std::optional<double> sigmaFor(double share, double from) const {
        if (share == 0.0) return 0.0;
        if (!(share < reachable() - kUnreachableMargin)) return std::nullopt;
        const double goal = (1.0 - share) * startVolume_;
        double s = from;
        for (int iteration = 0; iteration < 200; ++iteration) {
            const double excess = volume(s) - goal;
            if (excess <= 1e-14 * startVolume_) return s;
            double slope = 0.0;
            for (std::size_t i = 0; i < count_; ++i) slope += part_[i] * pressure_[i] * decay(i, s);
            if (!(slope > 0.0)) return std::nullopt;
            const double step = excess / slope;
            s += step;
            if (step <= 1e-16 * s) return s;
        }
        return std::nullopt;
    }

private:
    double decay(std::size_t i, double s) const { return pressure_[i] == 0.0 ? 1.0 : std::exp(-pressure_[i] * s); }

    double volume(double s) const {
        double v = 0.0;
        for (std::size_t i = 0; i < count_; ++i) v += part_[i] * decay(i, s);
        return v;
    }

    Amounts start_, pressure_, part_{};
    std::size_t count_;
    double startVolume_ = 0.0, floorVolume_ = 0.0;
};

Amounts fractionsOf(const Amounts& n, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i) sum += n[i];
    Amounts x{};
    for (std::size_t i = 0; i < count; ++i) x[i] = n[i] / sum;
    return x;
}

// The unrounded point of the liquid on the chart.
std::optional<PlanePoint> planePointOf(const EvaporationInput& in, const Amounts& n) {
    const Amounts x = fractionsOf(n, in.count);
    double fd = 0.0, fp = 0.0, fh = 0.0;
    for (std::size_t i = 0; i < in.count; ++i) {
        fd += x[i] * in.solvents[i].ndw.n;
        fp += x[i] * in.solvents[i].ndw.d;
        fh += x[i] * in.solvents[i].ndw.w;
    }
    return teasToPlane(fd, fp, fh);
}

// Mole fractions as the calculator makes them from its moles: 32-bit moles,
// its order of sums, 32-bit fractions.
std::array<float, 3> calculatorFractions(const EvaporationInput& in, const Amounts& n) {
    std::array<float, 3> moles{};
    for (std::size_t i = 0; i < in.count; ++i) moles[i] = static_cast<float>(n[i]);
    const float moleSum = (moles[1] + moles[0]) + moles[2];
    std::array<float, 3> x{};
    for (std::size_t i = 0; i < in.count; ++i) x[i] = moles[i] / moleSum;
    return x;
}

// N, D, W by the calculator's rule: its fractions, its sums, its rounding to
// whole numbers adding to 100.
std::optional<TeasPoint> calculatorNdw(const EvaporationInput& in, const std::array<float, 3>& x) {
    std::array<double, 3> sums{};
    for (std::size_t i = 0; i < in.count; ++i) {
        const TeasPoint& p = in.solvents[i].ndw;
        sums[0] += static_cast<double>(static_cast<float>(p.n)) * static_cast<double>(x[i]);
        sums[1] += static_cast<double>(static_cast<float>(p.d)) * static_cast<double>(x[i]);
        sums[2] += static_cast<double>(static_cast<float>(p.w)) * static_cast<double>(x[i]);
    }
    const HundredRounding r = roundToHundred(sums);
    if (r.branch == RoundingBranch::NotFinite) return std::nullopt;
    return TeasPoint{static_cast<std::int16_t>(r.whole[0]), static_cast<std::int16_t>(r.whole[1]),
                     static_cast<std::int16_t>(r.whole[2])};
}

void fillMark(EvaporationMark& mark, const EvaporationInput& in, const Amounts& n) {
    mark.state = MarkState::Reached;
    mark.moleFraction = fractionsOf(n, in.count);
    const std::array<float, 3> single = calculatorFractions(in, n);
    std::array<HazardShare, 3> shares;
    for (std::size_t i = 0; i < in.count; ++i) {
        const EvaporationSolvent& s = in.solvents[i];
        shares[i].moleFraction = mark.moleFraction[i];
        shares[i].molarVolume = s.molarVolume;
        shares[i].molecularWeight = s.molecularWeight;
        shares[i].twa = readTwaLimit(s.twaText, s.twaMgText);
        shares[i].vhr = readVhr(s.vhrText);
    }
    const auto solvents = std::span(shares).first(in.count);
    const BlendHazards h = blendHazards(solvents);
    for (std::size_t i = 0; i < in.count; ++i) {
        mark.volumeFraction[i] = h.volumeFraction[i];
        mark.volumeText[i] = formatFraction3(h.volumeFraction[i]);
    }
    // The report's rules over the mole fractions the screen that asked works
    // in, so that 0 % gives its figures to the last digit.
    BlendHazards figures = h;
    if (in.calculatorPrecision) {
        for (std::size_t i = 0; i < in.count; ++i) shares[i].moleFraction = static_cast<double>(single[i]);
        figures = blendHazards(solvents);
    }
    mark.twaPpm = figures.twaPpm;
    mark.vhr = figures.vhr;
    mark.twaText = reportTwaText(figures.twaPpm);
    mark.vhrText = reportVhrText(figures.vhr);
    mark.ndw = calculatorNdw(in, single);
    if (mark.ndw) mark.ndwText = {formatPlain(mark.ndw->n), formatPlain(mark.ndw->d), formatPlain(mark.ndw->w)};
    mark.point = planePointOf(in, n);
}

// "A", "A and B", "A, B and C".
std::string joinNames(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) out += i + 1 == names.size() ? " and " : ", ";
        out += names[i];
    }
    return out;
}

std::string lowerFirst(std::string text) {
    if (!text.empty() && text.front() >= 'A' && text.front() <= 'Z') text.front() = static_cast<char>(text.front() + 32);
    return text;
}

const char* categoryWords(FlammabilityCategory c) {
    switch (c) {
    case FlammabilityCategory::Extremely: return messages::kExtremelyFlammable;
    case FlammabilityCategory::Highly: return messages::kHighlyFlammable;
    case FlammabilityCategory::Flammable: return messages::kFlammable;
    case FlammabilityCategory::Combustible: return messages::kCombustible;
    case FlammabilityCategory::NotClassed: return messages::kNotClassedFlammable;
    case FlammabilityCategory::Unknown: break;
    }
    return "";
}

int severity(FlammabilityCategory c) {
    switch (c) {
    case FlammabilityCategory::Extremely: return 5;
    case FlammabilityCategory::Highly: return 4;
    case FlammabilityCategory::Flammable: return 3;
    case FlammabilityCategory::Combustible: return 2;
    case FlammabilityCategory::NotClassed: return 1;
    case FlammabilityCategory::Unknown: break;
    }
    return 0;
}

// A whole percent that never reads 100 before the whole liquid has gone.
int percentBelow(double share) { return static_cast<int>(std::floor(share * 100.0 + 1e-9)); }

class Evaporation {
public:
    Evaporation(const EvaporationInput& in, const SolventPropertiesFile& properties, const SolubilityZone* zone)
        : in_(in), zone_(zone) {
        r_.count = std::min<std::size_t>(in.count, 3);
        in_.count = r_.count;
        for (std::size_t k = 0; k < kEvaporationMarks.size(); ++k) r_.marks[k].percent = kEvaporationMarks[k];
        if (properties.status == PropertiesFileStatus::Missing)
            r_.propertiesFileText = messages::propertiesFileMissing(kPropertiesFileName);
        else if (properties.status == PropertiesFileStatus::Damaged)
            r_.propertiesFileText =
                messages::propertiesFileDamaged(kPropertiesFileName, properties.error.line, properties.error.message);
        readSolvents(properties);
    }

    EvaporationResult run() {
        if (!startMixture()) return std::move(r_);
        describeFlammability();
        if (!pressuresKnown()) return std::move(r_);
        r_.pathKnown = true;
        followThePath();
        describeRunningOut();
        describeZone();
        return std::move(r_);
    }

private:
    void readSolvents(const SolventPropertiesFile& properties) {
        for (std::size_t i = 0; i < r_.count; ++i) {
            const EvaporationSolvent& s = in_.solvents[i];
            SolventEvaporation& out = r_.solvents[i];
            out.name = evaporationSolventName(s);
            if (s.enteredByHand) continue;  // never in the file, whatever it holds
            if (const SolventProperties* p = properties.find(s.label)) {
                out.vapourPressure = p->vapourPressure;
                out.boilingPoint = p->boilingPoint;
                out.flashPoint = p->flashPoint;
                out.flammabilityClass = p->flammabilityClass;
            }
            out.category = flammabilityCategory(out.flashPoint, out.boilingPoint);
        }
    }

    // The starting moles; a solvent outside the zero band of the mole
    // fractions is not in the blend and has none.
    bool startMixture() {
        double sum = 0.0;
        for (std::size_t i = 0; i < r_.count; ++i) {
            const EvaporationSolvent& s = in_.solvents[i];
            if (!(std::isfinite(s.startMoles) && s.startMoles >= 0.0 && std::isfinite(s.molarVolume) &&
                  s.molarVolume > 0.0)) {
                r_.unknownText = messages::kEvaporationNoMixture;
                r_.lastSolventText = r_.unknownText;
                return false;
            }
            sum += s.startMoles;
        }
        if (!(sum > 0.0 && std::isfinite(sum))) {
            r_.unknownText = messages::kEvaporationNoMixture;
            r_.lastSolventText = r_.unknownText;
            return false;
        }
        for (std::size_t i = 0; i < r_.count; ++i) {
            const double m = in_.solvents[i].startMoles;
            r_.solvents[i].takesPart = takesPart(m / sum);
            start_[i] = r_.solvents[i].takesPart ? m : 0.0;
            molarVolume_[i] = in_.solvents[i].molarVolume;
        }
        r_.mixtureKnown = true;
        fillMark(r_.marks[0], in_, start_);
        return true;
    }

    bool pressuresKnown() {
        std::vector<std::string> missing;
        for (std::size_t i = 0; i < r_.count; ++i) {
            const SolventEvaporation& s = r_.solvents[i];
            if (!s.takesPart) continue;
            if (!s.vapourPressure) missing.push_back(s.name);
            else pressure_[i] = *s.vapourPressure;
        }
        if (missing.empty()) return true;
        r_.unknownText = messages::noVapourPressure(joinNames(missing));
        r_.lastSolventText = r_.unknownText;
        return false;
    }

    void followThePath() {
        const Liquid liquid(start_, pressure_, molarVolume_, r_.count);
        r_.reachableShare = liquid.reachable();
        auto point = [&](double s) { return planePointOf(in_, liquid.amounts(s)); };

        double sigma = 0.0;
        std::optional<PlanePoint> previous;
        double previousSigma = 0.0;
        auto addPoint = [&](double s, std::optional<PlanePoint> p) {
            if (!p) return;
            if (previous) refine(liquid, previousSigma, *previous, s, *p, 0);
            const double share = s == kInfinity ? r_.reachableShare : liquid.share(s);
            // Near the limit the shares stop growing in double precision: the
            // limit itself replaces a point it cannot be told from.
            if (!r_.path.empty() && !(share > r_.path.back().share)) {
                if (s != kInfinity) return;
                r_.path.pop_back();
            }
            r_.path.push_back({share, *p});
            previous = p;
            previousSigma = s;
        };

        std::size_t nextMark = 0;
        for (int percent = 0; percent <= kEvaporationMarks.back(); ++percent) {
            const std::optional<double> s = liquid.sigmaFor(percent / 100.0, sigma);
            if (!s) break;
            sigma = *s;
            const Amounts n = liquid.amounts(sigma);
            const std::optional<PlanePoint> p = planePointOf(in_, n);
            addPoint(sigma, p);
            steps_.push_back({percent, p});
            if (nextMark < kEvaporationMarks.size() && kEvaporationMarks[nextMark] == percent) {
                if (percent > 0) fillMark(r_.marks[nextMark], in_, n);
                ++nextMark;
            }
        }
        for (; nextMark < kEvaporationMarks.size(); ++nextMark) r_.marks[nextMark].state = MarkState::NotReached;

        // A liquid that stops short: on towards what never evaporates.
        if (steps_.back().percent < kEvaporationMarks.back() && r_.reachableShare > kUnreachableMargin) {
            double slowest = 0.0;
            for (std::size_t i = 0; i < r_.count; ++i)
                if (start_[i] > 0.0 && pressure_[i] > 0.0 && (slowest == 0.0 || pressure_[i] < slowest)) slowest = pressure_[i];
            if (slowest > 0.0)
                for (int k = 1; k <= kTailSteps; ++k) addPoint(sigma + k / slowest, point(sigma + k / slowest));
            addPoint(kInfinity, point(kInfinity));
        }
    }

    // Adds points between two of the path (not the ends) until no two
    // neighbours are further apart than the spacing.
    void refine(const Liquid& liquid, double s0, PlanePoint p0, double s1, PlanePoint p1, int depth) {
        const double spacing = kPathPointSpacing * teasPointSpacing();
        if (depth >= kMaxHalvings || std::hypot(p1.x - p0.x, p1.y - p0.y) <= spacing) return;
        // Towards the limit the middle is taken on a finite stretch.
        const double mid = s1 == kInfinity ? s0 * 2.0 + 1.0 : 0.5 * (s0 + s1);
        const std::optional<PlanePoint> pm = planePointOf(in_, liquid.amounts(mid));
        if (!pm) return;
        refine(liquid, s0, p0, mid, *pm, depth + 1);
        const double share = liquid.share(mid);
        if (r_.path.empty() || share > r_.path.back().share) r_.path.push_back({share, *pm});
        refine(liquid, mid, *pm, s1, p1, depth + 1);
    }

    std::vector<std::size_t> participants() const {
        std::vector<std::size_t> out;
        for (std::size_t i = 0; i < r_.count; ++i)
            if (r_.solvents[i].takesPart) out.push_back(i);
        return out;
    }

    std::vector<std::string> namesOf(const std::vector<std::size_t>& which) const {
        std::vector<std::string> names;
        for (std::size_t i : which) names.push_back(r_.solvents[i].name);
        return names;
    }

    void describeRunningOut() {
        const Liquid liquid(start_, pressure_, molarVolume_, r_.count);
        const std::vector<std::size_t> all = participants();
        std::vector<std::size_t> volatile_, lasting;
        for (std::size_t i : all) {
            SolventEvaporation& s = r_.solvents[i];
            if (pressure_[i] == 0.0) {
                lasting.push_back(i);
                s.runOutText = messages::doesNotEvaporate(s.name);
                continue;
            }
            volatile_.push_back(i);
            s.runOutShare = liquid.share(-std::log(1.0 - kRunOutShare) / pressure_[i]);
            const int percent = percentBelow(*s.runOutShare);
            s.runOutText = percent >= kEvaporationMarks.back() ? messages::stillThereAt99(s.name)
                                                               : messages::goneAt(s.name, percent);
        }
        std::stable_sort(volatile_.begin(), volatile_.end(),
                         [this](std::size_t a, std::size_t b) { return pressure_[a] > pressure_[b]; });
        r_.runOutOrder = volatile_;

        // Groups of equal vapour pressure run out together.
        std::vector<std::vector<std::size_t>> groups;
        for (std::size_t i : volatile_) {
            if (groups.empty() || pressure_[groups.back().front()] != pressure_[i]) groups.emplace_back();
            groups.back().push_back(i);
        }
        std::string order;
        for (const auto& g : groups) {
            if (!order.empty()) order += ", then ";
            order += joinNames(namesOf(g)) + (g.size() > 1 ? " together" : "");
        }
        if (groups.size() > 1 || (!groups.empty() && !lasting.empty())) r_.runOutText = messages::runOutOrder(order);

        std::string text;
        if (all.size() == 1) {
            r_.lastSolvents = all;
            text = messages::onlySolvent(r_.solvents[all.front()].name);
        } else if (!lasting.empty()) {
            r_.lastSolvents = lasting;
            text = messages::doesNotEvaporateAndRemains(joinNames(namesOf(lasting)), lasting.size() > 1);
        } else if (groups.size() == 1) {
            r_.lastSolvents = all;
            text = messages::kAllEvaporateAlike;
        } else {
            r_.lastSolvents = groups.back();
            text = groups.back().size() == 1 ? messages::remainsLast(r_.solvents[groups.back().front()].name)
                                             : messages::remainLastTogether(joinNames(namesOf(groups.back())));
        }
        if (all.size() > 1 && r_.lastSolvents.size() < all.size())
            for (std::size_t i : r_.lastSolvents) text += hazardNote(i, all);
        if (r_.reachableShare < kEvaporationMarks.back() / 100.0)
            text += " " + messages::onlyPartEvaporates(static_cast<int>(std::lround(r_.reachableShare * 100.0)));
        r_.lastSolventText = text;
    }

    // " X has the highest VHR of the blend's solvents." when it has.
    std::string hazardNote(std::size_t last, const std::vector<std::size_t>& all) const {
        auto twaOf = [this](std::size_t i) -> std::optional<double> {
            const std::optional<double> t = parseDouble(in_.solvents[i].twaText);
            if (!t || !std::isfinite(*t) || *t <= 0.0) return std::nullopt;
            return t;
        };
        auto vhrOf = [this](std::size_t i) { return readVhr(in_.solvents[i].vhrText); };
        bool someUnknown = false;
        // Whether `last` is the extreme among the known figures of the others.
        auto extreme = [&](auto figure, bool highest) {
            const std::optional<double> mine = figure(last);
            if (!mine) return false;
            int others = 0;
            bool unknown = false;
            for (std::size_t i : all) {
                if (i == last) continue;
                const std::optional<double> theirs = figure(i);
                if (!theirs) {
                    unknown = true;
                    continue;
                }
                ++others;
                if (highest ? *theirs > *mine : *theirs < *mine) return false;
            }
            if (others == 0) return false;
            someUnknown = someUnknown || unknown;
            return true;
        };
        const bool highestVhr = extreme(vhrOf, true);
        const bool lowestTwa = extreme(twaOf, false);
        if (!highestVhr && !lowestTwa) return "";
        const std::string which = highestVhr && lowestTwa ? "the highest VHR and the lowest TWA"
                                  : highestVhr            ? "the highest VHR"
                                                          : "the lowest TWA";
        return " " + messages::lastSolventHazard(r_.solvents[last].name, which, someUnknown);
    }

    void describeFlammability() {
        std::optional<std::size_t> worst;
        std::vector<std::string> unknown;
        for (std::size_t i : participants()) {
            SolventEvaporation& s = r_.solvents[i];
            const std::string cls =
                s.flammabilityClass == FlammabilityClass::None ? std::string() : flammabilityClassText(s.flammabilityClass);
            if (!s.flashPoint) {
                s.flashPointText = messages::solventNoFlashPoint(s.name, cls);
                unknown.push_back(s.name);
                continue;
            }
            s.flashPointText =
                messages::solventFlashPoint(s.name, formatCelsius(*s.flashPoint), lowerFirst(categoryWords(s.category)), cls);
            if (!r_.lowestFlashPoint || *s.flashPoint < *r_.solvents[*r_.lowestFlashPoint].flashPoint) r_.lowestFlashPoint = i;
            if (!worst) {
                worst = i;
                continue;
            }
            const SolventEvaporation& w = r_.solvents[*worst];
            if (severity(s.category) > severity(w.category) ||
                (severity(s.category) == severity(w.category) && *s.flashPoint < *w.flashPoint))
                worst = i;
        }
        if (!worst) {
            r_.flammabilityText = messages::kNoFlashPointKnown;
            return;
        }
        const SolventEvaporation& w = r_.solvents[*worst];
        r_.flammabilityText = messages::mostFlammable(categoryWords(w.category), w.name, formatCelsius(*w.flashPoint));
        if (!unknown.empty()) r_.flammabilityText += "; " + messages::noFlashPointFor(joinNames(unknown));
    }

    // Inside or outside is judged on the path the chart draws, at each whole
    // percent evaporated (see the header for why not on whole numbers).
    void describeZone() {
        if (!zone_ || zone_->shape == ZoneShape::None || zone_->outline.empty() || steps_.empty()) return;
        std::optional<bool> inside;
        bool left = false, entered = false;
        std::vector<std::string> pieces;
        for (const Step& step : steps_) {
            if (!step.point) continue;
            const bool now = insideConvex(zone_->outline, *step.point);
            if (inside && now != *inside) {
                const bool leaves = !now;
                r_.crossings.push_back({step.percent, leaves, *step.point});
                pieces.push_back(pieces.empty() ? messages::zoneFirstCrossing(leaves, step.percent)
                                                : messages::zoneLaterCrossing(leaves, leaves ? left : entered, step.percent));
                (leaves ? left : entered) = true;
            }
            inside = now;
        }
        if (!inside) return;
        const int last = steps_.back().percent;
        if (r_.crossings.empty())
            r_.zoneText = *inside ? messages::zoneStaysInside(last) : messages::zoneStaysOutside(last);
        else
            r_.zoneText = messages::zoneCrossings(joinNames(pieces));
    }

    struct Step {
        int percent = 0;
        std::optional<PlanePoint> point;
    };

    EvaporationInput in_;
    const SolubilityZone* zone_;
    EvaporationResult r_;
    Amounts start_{}, pressure_{}, molarVolume_{};
    std::vector<Step> steps_;
};

}  // namespace

std::string evaporationSolventName(const EvaporationSolvent& solvent) {
    if (solvent.enteredByHand)
        return messages::handEnteredSolvent(solvent.slot, solvent.ndw.n, solvent.ndw.d, solvent.ndw.w);
    const std::string_view label = solvent.label;
    const std::size_t colon = label.find(':');
    if (colon == std::string_view::npos) return solvent.label;
    const std::size_t name = label.find_first_not_of(' ', colon + 1);
    return name == std::string_view::npos ? solvent.label : std::string(label.substr(name));
}

EvaporationInput evaporationFromMixture(const std::array<MixSlot, 3>& slots, const MixtureInputs& inputs) {
    EvaporationInput in;
    in.count = inputs.twoSolventMode ? 2 : 3;
    for (std::size_t k = 0; k < in.count; ++k) {
        const MixSlot& slot = slots[k];
        EvaporationSolvent& s = in.solvents[k];
        s.slot = static_cast<int>(k) + 1;
        s.label = slot.label;
        s.enteredByHand = slot.reference == 0 || slot.label == kUserEnteredLabel;
        s.ndw = slot;
        s.molarVolume = slot.molarVolume;
        s.molecularWeight = static_cast<double>(slot.molecularWeight);
        s.twaText = inputs.twaText[k];
        s.twaMgText = slot.twaMgText;
        s.vhrText = inputs.vhrText[k];
        // The moles exactly as Calculate forms them.
        in.calculatorPrecision = true;
        s.startMoles = static_cast<double>(static_cast<float>(static_cast<double>(slot.volumeFraction) / slot.molarVolume));
    }
    return in;
}

EvaporationInput evaporationFromBlend(const AppState& state) {
    EvaporationInput in;
    in.count = state.twoSolventMode < 0 ? 2 : 3;
    for (std::size_t k = 0; k < in.count; ++k) {
        const SolventSlot& slot = state.solventSlots[k];
        const BlendSlotResult& result = state.blendResult.slotResults[k];
        EvaporationSolvent& s = in.solvents[k];
        s.slot = static_cast<int>(k) + 1;
        s.label = slot.label;
        s.enteredByHand = result.reference == 0 || slot.label == kUserEnteredLabel;
        s.ndw = slot;
        s.molarVolume = slot.molarVolume;
        s.molecularWeight = slot.molecularWeight;
        s.twaText = result.twaText;
        s.twaMgText = result.twaMgText;
        s.vhrText = result.vhrText;
        s.startMoles = result.concentration;
    }
    return in;
}

EvaporationResult computeEvaporation(const EvaporationInput& input, const SolventPropertiesFile& properties,
                                     const SolubilityZone* zone) {
    return Evaporation(input, properties, zone).run();
}

}  // namespace tarnwell
