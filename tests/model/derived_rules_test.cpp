#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

namespace kestrin {
namespace {

struct ByteCase {
    const char* what;
    std::vector<std::pair<int, int>> bytes;  // offset, stored value
    bool chokeFlag;
    int checked;
    int expected;
};

TEST(ConsistencyRules, ScalarFieldsAreBroughtIntoRange)
{
    using namespace off;
    const ByteCase cases[] = {
        {"Gas2 below Gas1 is raised", {{Gas1, 50}, {Gas2, 30}}, false, Gas2, 50},
        {"Gas1 above 100 first, then Gas2 follows", {{Gas1, 120}, {Gas2, 30}}, false, Gas2, 100},
        {"GasBuildUp 0 becomes 1", {{GasBuildUp, 0}}, false, GasBuildUp, 1},
        {"GasDelay above 200", {{GasDelay, 230}}, false, GasDelay, 200},
        {"Retard2 below Retard1", {{Retard1, 20}, {Retard2, 5}}, false, Retard2, 20},
        {"Retard1 above 25", {{Retard1, 40}}, false, Retard1, 25},
        {"RetardBuildUp above 200", {{RetardBuildUp, 201}}, false, RetardBuildUp, 200},
        {"GasJetCorr2 below GasJetCorr1", {{GasJetCorr1, 40}, {GasJetCorr2, 10}}, false, GasJetCorr2, 40},
        {"BaseAdvance above 40", {{BaseAdvance, 50}}, false, BaseAdvance, 40},
        {"IapTpTpsMin above 101", {{IapTpTpsMin, 150}}, false, IapTpTpsMin, 101},
        {"IapTpTpsMax below min", {{IapTpTpsMin, 30}, {IapTpTpsMax, 5}}, false, IapTpTpsMax, 30},
        {"IapTpRpmMax below min", {{IapTpRpmMin, 40}, {IapTpRpmMax, 30}}, false, IapTpRpmMax, 40},
        {"Tps100 above 250", {{Tps100, 251}}, false, Tps100, 250},
        {"StartInjection above 50", {{StartInjection, 60}}, false, StartInjection, 50},
        {"ChokeCorr above 250", {{ChokeCorr + 3, 255}}, false, ChokeCorr + 3, 250},
        {"pilot light second RPM below the first", {{PilotLightRpm1 + 4, 130}, {PilotLightRpm2 + 4, 100}}, false,
         PilotLightRpm2 + 4, 130},
        {"excitation longer than the period", {{StepMotorPeriod, 8}, {StepMotorExcitation, 10}}, false,
         StepMotorExcitation, 8},
        {"idle step pulse 100 in period 100 stays", {{IdleStepPeriod, 100}, {IdleStepPulse, 100}}, false,
         IdleStepPulse, 100},
        {"idle step pulse longer than its period", {{IdleStepPeriod, 2}, {IdleStepPulse, 6}}, false, IdleStepPulse, 2},
        {"the Peugeot keeps its long idle step pulse", {{IdleStepPeriod, 2}, {IdleStepPulse, 6}}, true,
         IdleStepPulse, 6},
        {"tuning channel beyond the cylinders", {{TuningChannel, 4}, {CylinderCount, 2}, {JetCouplingMode, 0}}, false,
         TuningChannel, 2},
        {"tuning channel in 1=2=3=4 mode", {{TuningChannel, 4}, {CylinderCount, 2}, {JetCouplingMode, 2}}, false,
         TuningChannel, 1},
        {"tuning channel in coupled mode", {{TuningChannel, 3}, {CylinderCount, 4}, {JetCouplingMode, 1}}, false,
         TuningChannel, 1},
        {"tuning channel within the cylinders stays", {{TuningChannel, 3}, {CylinderCount, 4}, {JetCouplingMode, 0}},
         false, TuningChannel, 3},
        {"advance cell above 60", {{MapAdvance + 17, 82}}, false, MapAdvance + 17, 60},
        {"advance limited by base advance and lobe width for pickup 7",
         {{PickupType, 7}, {BaseAdvance, 10}, {LobeWidth, 20}, {MapAdvance + 3, 45}}, false, MapAdvance + 3, 30},
        {"advance of pickup 22 too", {{PickupType, 22}, {BaseAdvance, 0}, {LobeWidth, 25}, {MapAdvance, 45}}, false,
         MapAdvance, 25},
        {"other pickups keep advance up to 60", {{PickupType, 8}, {BaseAdvance, 0}, {LobeWidth, 25}, {MapAdvance, 45}},
         false, MapAdvance, 45},
        {"bank B cell above 100", {{MapJetB + 149, 101}}, false, MapJetB + 149, 100},
        {"lambda-on-RPM point below 300 RPM", {{LambdaTachoRpm + 1, 1}}, false, LambdaTachoRpm + 1, 3},
        {"lambda bar last point", {{LambdaBar, 100}, {LambdaBar + 1, 120}, {LambdaBar + 2, 140}, {LambdaBar + 3, 250}},
         false, LambdaBar + 3, 200},
    };
    for (const ByteCase& c : cases) {
        SCOPED_TRACE(c.what);
        Document doc;
        doc.chokeFlag = c.chokeFlag;
        for (auto [offset, value] : c.bytes)
            doc.image.setByte(offset, static_cast<std::uint8_t>(value));
        ApplyConsistencyRules(doc);
        EXPECT_EQ(doc.image.byte(c.checked), c.expected);
    }
}

std::vector<int> readWords(const ParameterImage& im, int offset, int count)
{
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(im.word(offset + 2 * i));
    return out;
}

void writeWords(ParameterImage& im, int offset, const std::vector<int>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        im.setWord(offset + 2 * static_cast<int>(i), static_cast<std::uint16_t>(values[i]));
}

TEST(ConsistencyRules, CurvesOfWordsKeepTheirDirection)
{
    struct Case {
        const char* what;
        int offset;
        std::vector<int> start;
        int lambdaType;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"water sensor falling, a flat tail is made to fall", off::WaterSensorMv,
         {4049, 3401, 2713, 2037, 1420, 1420, 1420, 443, 299}, 0,
         {4049, 3401, 2713, 2037, 1420, 1419, 1418, 443, 299}},
        {"air sensor curve falling by 1 mV stays", off::AirSensorMv,
         {4049, 3401, 2713, 2037, 1420, 1419, 1418, 1417, 1416}, 0,
         {4049, 3401, 2713, 2037, 1420, 1419, 1418, 1417, 1416}},
        {"sensor above 5000 mV", off::WaterSensorMv, {6000, 3401, 2713, 2037, 1420, 981, 642, 443, 0}, 0,
         {5000, 3401, 2713, 2037, 1420, 981, 642, 443, 0}},
        {"standard lambda characteristic falls", off::LambdaMv, {900, 840, 760, 50, 50}, 0, {900, 840, 760, 50, 49}},
        {"Uego characteristic rises", off::LambdaMv, {0, 1190, 2500, 3750, 3750}, 1, {0, 1190, 2500, 3750, 3751}},
        {"IAP load axis rises within 0 .. 1000", off::IapAxis, {30, 50, 60, 70, 75, 80, 85, 90, 2000, 100}, 0,
         {30, 50, 60, 70, 75, 80, 85, 90, 999, 1000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Document doc;
        doc.image.setByte(off::LambdaType, static_cast<std::uint8_t>(c.lambdaType));
        writeWords(doc.image, c.offset, c.start);
        ApplyConsistencyRules(doc);
        EXPECT_EQ(readWords(doc.image, c.offset, static_cast<int>(c.start.size())), c.expected);
    }
}

TEST(ConsistencyRules, InjectionCellsAreKeptWithin30000)
{
    Document doc;
    doc.image.setWord(off::MapJet2A + 2 * 77, 40000);
    doc.image.setWord(off::MapIap + 2 * 149, 30000);
    ApplyConsistencyRules(doc);
    EXPECT_EQ(doc.image.word(off::MapJet2A + 2 * 77), 30000);
    EXPECT_EQ(doc.image.word(off::MapIap + 2 * 149), 30000);
}

TEST(ConsistencyRules, EqualSensorVoltagesAreMarkedNotChanged)
{
    Document doc;
    doc.image.setWord(off::ApsVoltage1, 2162);
    doc.image.setWord(off::ApsVoltage2, 2162);
    doc.image.setWord(off::IapsVoltage1, 2162);
    doc.image.setWord(off::IapsVoltage2, 4160);
    ApplyConsistencyRules(doc);
    EXPECT_TRUE(doc.derived.apsVoltagesEqual);
    EXPECT_FALSE(doc.derived.iapsVoltagesEqual);
    EXPECT_EQ(doc.image.word(off::ApsVoltage2), 2162);

    doc.image.setWord(off::ApsVoltage2, 4160);
    ApplyConsistencyRules(doc);
    EXPECT_FALSE(doc.derived.apsVoltagesEqual);
}

TEST(ConsistencyRules, SettingsOutsideTheImageAreReset)
{
    struct Case {
        OutsideSettings in;
        OutsideSettings out;
    };
    const Case cases[] = {
        {{3, 20, 19}, {3, 20, 19}},
        {{4, 21, 20}, {0, 0, 0}},
        {{-1, -1, -1}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        Document doc;
        doc.outside = c.in;
        ApplyConsistencyRules(doc);
        EXPECT_EQ(doc.outside.language, c.out.language);
        EXPECT_EQ(doc.outside.portIndex, c.out.portIndex);
        EXPECT_EQ(doc.outside.portScanIndex, c.out.portScanIndex);
    }
}

// Whatever arrives from a file or the unit, one run leaves every axis and
// curve in order and every cell in range, and a second run changes nothing.
TEST(ConsistencyRules, AnyImageBecomesConsistentAndStaysSo)
{
    std::mt19937 random(2007);
    for (int round = 0; round < 20; ++round) {
        Document doc;
        for (auto& b : doc.image.bytes())
            b = static_cast<std::uint8_t>(random());
        doc.chokeFlag = round % 2 == 1;
        ApplyConsistencyRules(doc);
        const ParameterImage once = doc.image;

        for (const MapDescriptor& map : mapDescriptors()) {
            for (int c = 0; c < kMapColumns; ++c) {
                const int v = doc.image.byte(map.axisOffset + c);
                EXPECT_GE(v, 3);
                EXPECT_LE(v, 250);
                if (c > 0) {
                    EXPECT_GT(v, doc.image.byte(map.axisOffset + c - 1));
                }
            }
            const int limit = map.kind == MapKind::Injection ? 30000 : map.page == 1 ? 60 : map.page == 6 ? 100 : 255;
            for (int r = 0; r < kMapRows; ++r)
                for (int c = 0; c < kMapColumns; ++c)
                    EXPECT_LE(readCell(doc.image, map, r, c), limit);
        }
        for (int i = 1; i < 9; ++i)
            EXPECT_LT(doc.image.word(off::WaterSensorMv + 2 * i), doc.image.word(off::WaterSensorMv + 2 * (i - 1)));
        EXPECT_GE(doc.image.byte(off::Gas2), doc.image.byte(off::Gas1));

        ApplyConsistencyRules(doc);
        EXPECT_EQ(doc.image, once) << "round " << round;
    }
}

}  // namespace
}  // namespace kestrin
