#pragma once
// What a solubility test puts on the Teas chart: its liquids by result, the
// zone shaded and the region within the margin, in the chart's N, D, W.

#include "core/solubility_trial.h"
#include "core/solubility_zone.h"
#include "ui/chart_source.h"

namespace tarnwell {

ui::TestMarkKind testMarkKind(TestResult result);

// The overlay of a test and its zone (zoneOfTest of that test). Liquids
// without a place on the chart are left out; the No-effect liquids inside
// the zone are marked so.
ui::ZoneOverlay zoneOverlay(const SolubilityTest& test, const SolubilityZone& zone);

}  // namespace tarnwell
