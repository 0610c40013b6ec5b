// Model serialisation: round trips of every field, the byte layout of the
// conditional records, optional trailing fields, bounds, damaged files and
// the orders in which a user opens, saves and closes models.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "fuzz/SectionRoundTrip.h"
#include "persistence/Messages.h"
#include "persistence/PersistenceError.h"
#include "tests/persistence/ModelTestUtil.h"
#include "tests/persistence/SampleModel.h"

namespace vormid {
namespace {
using test::Bytes;
using test::Sections;

bool Contains(const std::string& text, const char* utf8) { return text.find(msg::Cp1251(utf8)) != std::string::npos; }

void ExpectSameQuantity(const TGumParam& a, const TGumParam& b) {
    SCOPED_TRACE(a.Name);
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_EQ(a.Description, b.Description);
    EXPECT_EQ(a.Units, b.Units);
    EXPECT_EQ(a.Comment, b.Comment);
    EXPECT_EQ(a.BudgetComment, b.BudgetComment);
    switch (a.Kind) {
        case TParamKind::Result:
            EXPECT_EQ(a.ResultFormat, b.ResultFormat);
            EXPECT_EQ(a.CoverageMethod, b.CoverageMethod);
            EXPECT_EQ(a.CoverageFactor, b.CoverageFactor);
            EXPECT_EQ(a.CoverageProbability, b.CoverageProbability);
            EXPECT_EQ(a.SignificantDigits, b.SignificantDigits);
            EXPECT_EQ(a.ValueFormat, b.ValueFormat);
            EXPECT_EQ(a.ValueExpFormat, b.ValueExpFormat);
            EXPECT_EQ(a.UncertaintyFormat, b.UncertaintyFormat);
            EXPECT_EQ(a.UncertaintyExpFormat, b.UncertaintyExpFormat);
            break;
        case TParamKind::TypeA:
            EXPECT_EQ(a.AMethod, b.AMethod);
            EXPECT_EQ(a.ObservationCount, b.ObservationCount);
            EXPECT_EQ(a.Observations, b.Observations);
            EXPECT_EQ(a.RowValues, b.RowValues);
            EXPECT_EQ(a.SchemaColumns, b.SchemaColumns);
            EXPECT_EQ(a.SchemaFormula, b.SchemaFormula);
            EXPECT_EQ(a.AValueType, b.AValueType);
            EXPECT_EQ(a.AUncertaintySource, b.AUncertaintySource);
            EXPECT_EQ(a.Decimals, b.Decimals);
            EXPECT_EQ(a.DegreesOfFreedom, b.DegreesOfFreedom);
            EXPECT_EQ(a.StatedValue, b.StatedValue);
            EXPECT_EQ(a.StatedValueText, b.StatedValueText);
            EXPECT_EQ(a.InPercent, b.InPercent);
            EXPECT_EQ(a.Statistics.Count, b.Statistics.Count);
            EXPECT_EQ(a.Statistics.Mean, b.Statistics.Mean);
            break;
        case TParamKind::TypeB:
            EXPECT_EQ(a.BEvalType, b.BEvalType);
            EXPECT_EQ(a.BValue, b.BValue);
            EXPECT_EQ(a.BValueText, b.BValueText);
            EXPECT_EQ(a.StatedValue, b.StatedValue);
            // nu is a field of the record for these only
            if (a.BEvalType <= 1 || (a.BEvalType == 3 && a.Distribution == dc_DistributonT)) {
                EXPECT_EQ(a.DegreesOfFreedom, b.DegreesOfFreedom);
            }
            if (a.BEvalType == 3) {
                EXPECT_EQ(a.Distribution, b.Distribution);
            }
            break;
        case TParamKind::Const:
            EXPECT_EQ(a.ConstValue, b.ConstValue);
            EXPECT_EQ(a.ConstValueText, b.ConstValueText);
            break;
        default:
            break;
    }
    EXPECT_EQ(a.Value(), b.Value());
    const double ua = a.StdUncertainty(), ub = b.StdUncertainty();
    if (!std::isnan(ua)) {
        EXPECT_EQ(ua, ub);
    }
    EXPECT_EQ(a.DOF(), b.DOF());
}

class ModelIO : public testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(ModelIO, EveryKindAndBranchRoundTripsToIdenticalBytes) {
    TGumModel model;
    TDisplayState display;
    test::FillSampleModel(model, display);
    TGumModelFile file;
    file.FileName = dir.File("first.gmf");
    SaveModel(file, model, display);
    const Bytes first = test::ReadFile(file.FileName);

    TGumModel loaded;
    TDisplayState loadedDisplay;
    TGumModelFile reader;
    reader.FileName = file.FileName;
    LoadModel(reader, loaded, loadedDisplay);
    ASSERT_EQ(loaded.Params.Count(), model.Params.Count());
    for (int i = 0; i < model.Params.Count(); ++i) ExpectSameQuantity(*model.Params.Get(i), *loaded.Params.Get(i));
    EXPECT_EQ(loaded.ModelName, model.ModelName);
    EXPECT_EQ(loaded.EvalMethod, model.EvalMethod);
    EXPECT_EQ(loaded.Description, model.Description);
    EXPECT_EQ(loaded.Equation, model.Equation);
    ASSERT_EQ(loaded.Correlations.Count(), 2);
    EXPECT_EQ(loaded.Correlations.GetName1(1), "B1");
    EXPECT_EQ(loaded.Correlations.GetCoefficient(1), -0.25);
    EXPECT_EQ(loaded.Correlations.GetCoefficientText(1), model.Correlations.GetCoefficientText(1));
    ASSERT_EQ(loaded.Budgets.size(), 1u);
    const TBudget& b = *loaded.Budgets[0];
    EXPECT_EQ(b.Name, "Y");
    EXPECT_EQ(b.EffectiveDOF, kInfiniteDof);
    EXPECT_EQ(b.ExpandedUncertainty, 0.6);
    EXPECT_EQ(b.MaxIndex, 89.1);
    ASSERT_EQ(b.EntryCount(), 2);
    EXPECT_EQ(b.GetEntry(1)->Name, "B0");
    EXPECT_EQ(b.GetEntry(1)->Distribution, dc_Triangle);
    EXPECT_EQ(b.GetEntry(1)->Index, 89.1);
    EXPECT_EQ(loadedDisplay, display);
    EXPECT_EQ(loaded.FormatSettings.ExponentMarker, "E");
    EXPECT_EQ(loaded.FormatSettings.HighThreshold, 100000);
    EXPECT_EQ(loaded.FormatSettings.DefaultValueExp, false);

    reader.FileName = dir.File("second.gmf");
    SaveModel(reader, loaded, loadedDisplay);
    EXPECT_EQ(test::ReadFile(reader.FileName), first);
}

TEST_F(ModelIO, TypeBIntervalRecordsEndAsTheirDistributionSays) {
    // Record sizes after the common head (459 bytes) and the Type B head
    // (type, value, text, parameter 1, text: 219 bytes), and the last byte.
    const struct {
        TDistribution dist;
        std::size_t tail;  // bytes after the distribution byte
        int lastByte;
    } cases[] = {
        {dc_Normal, 8 + 1, 25},              // coverage probability, reliability
        {dc_LgNormal, 1 + 8 + 101 + 1, 25},  // limit side, parameter 2, reliability
        {dc_DistributonT, 8 + 101 + 1, 12},  // parameter 2, degrees of freedom
        {dc_Rectangle, 1, 25},               // reliability only
        {dc_Trapez, 8 + 101 + 1, 25},
        {dt_SemiCosine, 1, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.dist));
        TGumModel m;
        TGumParam& q = test::AddQuantity(m, "B", TParamKind::TypeB);
        q.BEvalType = 3;
        q.Distribution = c.dist;
        q.SetDegreesOfFreedom(12);
        q.Reliability = 25;
        TSectionWriter w;
        WriteQuantitiesSection(m, w);
        const Bytes& s = w.Bytes();
        ASSERT_EQ(s.size(), 4 + 459 + 219 + 1 + c.tail + 4);
        EXPECT_EQ(s[4 + 459 + 219], c.dist);
        EXPECT_EQ(s[s.size() - 5], c.lastByte);
    }
}

TEST_F(ModelIO, TypeAAndTypeBRecordsHoldOnlyTheirConditionalFields) {
    const struct {
        const char* name;
        void (*setup)(TGumParam&);
        std::size_t size;  // record bytes after the common head
    } cases[] = {
        {"A direct, experimental, expanded", [](TGumParam& q) { q.SetObservationCount(2); },
         1 + 4 + 1 + 1 + 1 + 1 + 8 + 101 + 8 + 8 + 1 + 4 + 1 + (4 + 16)},
        {"A direct grouped, entered std uncertainty",
         [](TGumParam& q) {
             q.SetObservationCount(2);
             q.SetAValueType(av_Grouped);
             q.AUncertaintySource = 1;
             q.AEvalType = 2;
         },
         1 + 4 + 1 + 1 + 1 + 8 + 101 + 1 + 4 + 1 + (4 + 16) + (4 + 16)},
        {"A indirect with two columns",
         [](TGumParam& q) {
             q.SetAMethod(am_Indirect);
             q.SetObservationCount(2);
             q.SetSchemaColumns({"x1", "x2"});
             q.AEvalType = 1;
         },
         1 + 4 + 1 + 1 + 1 + 1 + 8 + 101 + 1 + 4 + (4 + 2 * 101) + 101 + (4 + 32) + (4 + 16)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGumModel m;
        TGumParam& q = test::AddQuantity(m, "A", TParamKind::TypeA);
        c.setup(q);
        TSectionWriter w;
        WriteQuantitiesSection(m, w);
        EXPECT_EQ(w.Bytes().size(), 4 + 459 + c.size + 4);
    }
    const std::size_t bHead = 1 + 8 + 101 + 8 + 101;
    const std::size_t typeBTail[] = {8 + 8 + 1 + 1, 1 + 1, 1 + 1};
    for (std::uint8_t t = 0; t < 3; ++t) {
        SCOPED_TRACE(static_cast<int>(t));
        TGumModel m;
        test::AddQuantity(m, "B", TParamKind::TypeB).BEvalType = t;
        TSectionWriter w;
        WriteQuantitiesSection(m, w);
        EXPECT_EQ(w.Bytes().size(), 4 + 459 + bHead + typeBTail[t] + 4);
    }
}

TEST_F(ModelIO, FixedTextFieldsAreCutToTheirSize) {
    TGumModel m;
    TDisplayState d;
    m.FormatSettings.ExponentMarker = std::string(21, 'e');
    m.FormatSettings.DefaultValueFormat = "0.000000000000000000009";  // 23 characters
    TGumParam& q = test::AddQuantity(m, std::string(150, 'n'), TParamKind::Const);
    q.Description = std::string(300, 'd');
    m.ModelName = std::string(256, 'm');
    TGumModelFile f;
    f.FileName = dir.File("cut.gmf");
    SaveModel(f, m, d);
    TGumModel loaded;
    LoadModel(f, loaded, d);
    EXPECT_EQ(loaded.FormatSettings.ExponentMarker, std::string(20, 'e'));
    EXPECT_EQ(loaded.FormatSettings.DefaultValueFormat, "0.000000000000000000");
    EXPECT_EQ(loaded.Params.Get(0)->Name, std::string(100, 'n'));
    EXPECT_EQ(loaded.Params.Get(0)->Description, std::string(255, 'd'));
    EXPECT_EQ(loaded.ModelName, std::string(255, 'm'));
}

TEST_F(ModelIO, DisplaySectionMayLackItsLastThreeFields) {
    TGumModel m;
    TDisplayState saved;
    saved.EquationPanelHeight = 333;
    saved.BudgetCommentPanelHeight = 222;
    saved.ChartShowsContribution = false;
    Sections s = test::SectionsOf(m, saved);
    const std::size_t full = s[4].size();
    for (std::size_t missing : {9u, 5u, 1u, 0u}) {
        SCOPED_TRACE(missing);
        Sections cut = s;
        cut[4].resize(full - missing);
        test::WriteModelFile(dir.File("d.gmf"), cut);
        TGumModel loaded;
        TDisplayState current;  // 120, 80, true
        TGumModelFile f;
        f.FileName = dir.File("d.gmf");
        LoadModel(f, loaded, current);
        EXPECT_EQ(current.EquationPanelHeight, missing >= 9 ? 120 : 333);
        EXPECT_EQ(current.BudgetCommentPanelHeight, missing >= 5 ? 80 : 222);
        EXPECT_EQ(current.ChartShowsContribution, missing >= 1);
    }
    // Cut inside field 14: damaged, and nothing of the section applied.
    Sections cut = s;
    cut[4].resize(full - 10);
    test::WriteModelFile(dir.File("d.gmf"), cut);
    TGumModel loaded;
    loaded.FormatSettings.LowExponent = 9;
    TDisplayState current;
    TGumModelFile f;
    f.FileName = dir.File("d.gmf");
    EXPECT_THROW(LoadModel(f, loaded, current), TModelFileError);
    EXPECT_EQ(loaded.FormatSettings.LowExponent, 9);
}

// Below the optional end every cut is refused with nothing applied; past it,
// each optional field is taken only when the cut leaves it whole.
TEST_F(ModelIO, DisplaySectionCutAtEveryLengthAppliesAllOrNothing) {
    TGumModel m;
    TDisplayState saved;
    test::FillSampleModel(m, saved);
    saved.EquationPanelHeight = 333;
    saved.BudgetCommentPanelHeight = 222;
    saved.ChartShowsContribution = false;
    TSectionWriter w;
    WriteDisplaySection(m.FormatSettings, saved, w);
    const Bytes& full = w.Bytes();
    const std::size_t optional = full.size() - 9;
    TNumberFormatSettings formatsBefore;
    formatsBefore.ExponentMarker = "E";
    TDisplayState displayBefore;
    displayBefore.Columns[0].UserWidth = 77;
    ASSERT_NE(formatsBefore, m.FormatSettings);
    ASSERT_NE(displayBefore, saved);
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        SCOPED_TRACE(cut);
        TNumberFormatSettings formats = formatsBefore;
        TDisplayState display = displayBefore;
        TSectionReader in(full.data(), cut);
        if (cut < optional) {
            EXPECT_THROW(ReadDisplaySection(in, formats, display), TCorruptDataError);
            EXPECT_EQ(formats, formatsBefore);
            EXPECT_EQ(display, displayBefore);
            continue;
        }
        ReadDisplaySection(in, formats, display);
        TDisplayState expected = saved;
        if (cut < optional + 4) expected.EquationPanelHeight = displayBefore.EquationPanelHeight;
        if (cut < optional + 8) expected.BudgetCommentPanelHeight = displayBefore.BudgetCommentPanelHeight;
        if (cut < optional + 9) expected.ChartShowsContribution = displayBefore.ChartShowsContribution;
        EXPECT_EQ(formats, m.FormatSettings);
        EXPECT_EQ(display, expected);
    }
}

// The setting is wider than its 4-byte field: a value beyond it is stored
// as the nearest one the field holds, never wrapped to the other sign.
TEST_F(ModelIO, HighThresholdBeyondItsFieldIsStoredClamped) {
    constexpr long long kMax = std::numeric_limits<std::int32_t>::max();
    constexpr long long kMin = std::numeric_limits<std::int32_t>::min();
    const struct {
        const char* name;
        long long stored, read;
    } cases[] = {
        {"largest that fits", kMax, kMax},     {"one above", kMax + 1, kMax}, {"2^40", 1LL << 40, kMax},
        {"smallest that fits", kMin, kMin},    {"one below", kMin - 1, kMin}, {"-2^40", -(1LL << 40), kMin},
        {"a billion", 1000000000, 1000000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TNumberFormatSettings formats;
        formats.HighThreshold = c.stored;
        TSectionWriter w;
        WriteDisplaySection(formats, TDisplayState{}, w);
        TSectionReader in(w.Bytes().data(), w.Bytes().size());
        TNumberFormatSettings loaded;
        TDisplayState display;
        ReadDisplaySection(in, loaded, display);
        EXPECT_EQ(loaded.HighThreshold, c.read);
    }
}

TEST_F(ModelIO, BudgetsSectionMayEndAfterTheLastBudgetsLines) {
    TGumModel m;
    TDisplayState d;
    test::FillSampleModel(m, d);
    m.Budgets.push_back(std::make_unique<TBudget>());
    m.Budgets.back()->Name = "W";  // no such quantity: its comment is just the length 0
    m.Budgets.back()->AddEntry("A1");
    Sections s = test::SectionsOf(m, d);
    s[3].resize(s[3].size() - 4);  // the last budget's comment length
    test::WriteModelFile(dir.File("b.gmf"), s);
    TGumModel loaded;
    TGumModelFile f;
    f.FileName = dir.File("b.gmf");
    LoadModel(f, loaded, d);
    ASSERT_EQ(loaded.Budgets.size(), 2u);
    EXPECT_EQ(loaded.Budgets[1]->GetEntry(0)->Name, "A1");
    EXPECT_EQ(loaded.Params.FindByName("Y")->BudgetComment, m.Params.FindByName("Y")->BudgetComment);
}

TEST_F(ModelIO, QuantityCommentsMayBeMissingAtTheEnd) {
    TGumModel m;
    TDisplayState d;
    test::AddQuantity(m, "P", TParamKind::Const).Comment = "first";
    test::AddQuantity(m, "Q", TParamKind::Const).Comment = "second";
    Sections s = test::SectionsOf(m, d);
    s[1].resize(s[1].size() - (4 + 6));  // the second comment
    test::WriteModelFile(dir.File("c.gmf"), s);
    TGumModel loaded;
    TGumModelFile f;
    f.FileName = dir.File("c.gmf");
    LoadModel(f, loaded, d);
    EXPECT_EQ(loaded.Params.Get(0)->Comment, "first");
    EXPECT_EQ(loaded.Params.Get(1)->Comment, "");
}

TEST_F(ModelIO, SeriesLongerThanTheCountLoseTheirExtraValues) {
    TGumModel m;
    TDisplayState d;
    TGumParam& q = test::AddQuantity(m, "A", TParamKind::TypeA);
    q.SetObservationCount(5);
    for (int i = 0; i < 5; ++i) q.SetObservation(i, i + 1.0);
    q.ObservationCount = 3;  // as an older file may hold it
    test::WriteModelFile(dir.File("s.gmf"), test::SectionsOf(m, d));
    TGumModel loaded;
    TGumModelFile f;
    f.FileName = dir.File("s.gmf");
    LoadModel(f, loaded, d);
    const TGumParam& a = *loaded.Params.Get(0);
    EXPECT_EQ(a.ObservationCount, 3);
    EXPECT_EQ(a.Observations, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(a.Statistics.Count, 3);
    EXPECT_DOUBLE_EQ(a.Statistics.Mean, 2.0);
}

TEST_F(ModelIO, ModelWithoutQuantitiesLoads) {
    TGumModel m;
    TDisplayState d;
    TGumModelFile f;
    f.FileName = dir.File("none.gmf");
    SaveModel(f, m, d);
    TGumModel loaded;
    test::AddQuantity(loaded, "old", TParamKind::Const);
    loaded.Correlations.AddPair("x", "y");
    LoadModel(f, loaded, d);
    EXPECT_EQ(loaded.Params.Count(), 0);
    EXPECT_EQ(loaded.Correlations.Count(), 0);
    EXPECT_TRUE(loaded.Budgets.empty());
}

TEST_F(ModelIO, EmptySectionsMeanNoCorrelationsAndNoBudgets) {
    TGumModel m;
    TDisplayState d;
    test::FillSampleModel(m, d);
    Sections s = test::SectionsOf(m, d);
    s[2].clear();
    s[3].clear();
    test::WriteModelFile(dir.File("e.gmf"), s);
    TGumModel loaded;
    TGumModelFile f;
    f.FileName = dir.File("e.gmf");
    LoadModel(f, loaded, d);
    EXPECT_EQ(loaded.Correlations.Count(), 0);
    EXPECT_TRUE(loaded.Budgets.empty());
    EXPECT_EQ(loaded.Params.Count(), m.Params.Count());
}

TEST_F(ModelIO, ValuesStayWithinTheirFieldsAcrossASave) {
    TGumModel m;
    TDisplayState d;
    TGumParam& q = test::AddQuantity(m, "X", TParamKind::TypeA);
    q.SetDegreesOfFreedom(1000);
    q.SetDecimals(300);
    q.SetKind(TParamKind::TypeB);  // nu = 1000 does not fit the Type B byte
    q.BEvalType = 1;
    q.StatedValue = 0.2;
    EXPECT_EQ(q.DegreesOfFreedom, kMaxTypeBDof);
    EXPECT_EQ(q.Decimals, kMaxDecimals);
    const int dofBefore = q.DOF();
    const double uBefore = q.StdUncertainty();
    TGumModelFile f;
    f.FileName = dir.File("v.gmf");
    SaveModel(f, m, d);
    TGumModel loaded;
    LoadModel(f, loaded, d);
    EXPECT_EQ(loaded.Params.Get(0)->DOF(), dofBefore);
    EXPECT_EQ(loaded.Params.Get(0)->StdUncertainty(), uBefore);
}

TEST_F(ModelIO, BudgetOfAVanishedResultIsWrittenWithoutComment) {
    TGumModel m;
    TDisplayState d;
    test::FillSampleModel(m, d);
    const std::string kept = m.Params.FindByName("Y")->BudgetComment;
    ASSERT_FALSE(kept.empty());
    m.Params.Delete(m.Params.IndexOf(m.Params.FindByName("Y")));
    const Sections s = test::SectionsOf(m, d);
    const Bytes& budgets = s[3];
    EXPECT_EQ(Bytes(budgets.end() - 4, budgets.end()), test::Hex({0, 0, 0, 0}));
    test::WriteModelFile(dir.File("g.gmf"), s);
    TGumModel loaded;
    TGumModelFile f;
    f.FileName = dir.File("g.gmf");
    LoadModel(f, loaded, d);
    EXPECT_EQ(loaded.Budgets.size(), 1u);
}

// Every cut of every section either loads (where the layout lets data end)
// or fails as damaged data; through a file, the message names the file.
TEST_F(ModelIO, TruncatedSectionsFailCleanly) {
    TGumModel m;
    TDisplayState d;
    test::FillSampleModel(m, d);
    const Sections s = test::SectionsOf(m, d);
    const std::string path = dir.File("t.gmf");
    for (int section = 0; section < kSectionCount; ++section) {
        const std::size_t size = s[section].size();
        for (std::size_t cut = 0; cut < size; ++cut) {
            const Bytes content(s[section].begin(), s[section].begin() + static_cast<std::ptrdiff_t>(cut));
            TGumModel loaded;
            TDisplayState display;
            TSectionReader in(content.data(), content.size());
            try {
                fuzz::ReadSectionContent(section, in, loaded, display);
            } catch (const TCorruptDataError&) {
            }
            if (cut % (size / 16 + 1) != 0) continue;
            Sections damaged = s;
            damaged[section] = content;
            test::WriteModelFile(path, damaged);
            TGumModelFile f;
            f.FileName = path;
            try {
                LoadModel(f, loaded, display);
            } catch (const TModelFileError& e) {
                EXPECT_TRUE(Contains(e.what(), "е повреден")) << e.what();
                EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
                EXPECT_FALSE(f.HasDiskFile());
            }
        }
    }
}

TEST_F(ModelIO, FailedLoadKeepsWhatWasReadAndNamesTheSection) {
    TGumModel m;
    TDisplayState d;
    test::FillSampleModel(m, d);
    Sections s = test::SectionsOf(m, d);
    s[3].resize(s[3].size() - 10);  // inside the last budget's comment
    test::WriteModelFile(dir.File("p.gmf"), s);
    TGumModel loaded;
    TGumModelFile f;
    f.FileName = dir.File("p.gmf");
    try {
        LoadModel(f, loaded, d);
        ADD_FAILURE();
    } catch (const TModelFileError& e) {
        EXPECT_TRUE(Contains(e.what(), "раздел 4")) << e.what();
    }
    EXPECT_EQ(loaded.Params.Count(), m.Params.Count());
    EXPECT_EQ(loaded.Correlations.Count(), 2);
    EXPECT_FALSE(f.HasDiskFile());
}

TEST_F(ModelIO, HostileCountsAreRefusedOrHeldToWhatTheProgramEdits) {
    auto head = [](TSectionWriter& w, std::uint8_t kind) {
        w.Text101("Q");
        w.U8(kind);
        w.Text256("");
        w.Text101("");
    };
    auto typeAStart = [&](TSectionWriter& w, std::uint8_t method, std::int32_t count) {
        head(w, 3);
        w.U8(method);
        w.I32(count);
        w.U8(1);  // entered
        w.U8(3);
        w.U8(2);  // std uncertainty
        w.F64(0.1);
        w.Text101("");
        w.U8(0);
        w.I32(5);
    };
    const Sections empty = test::SectionsOf(TGumModel{}, TDisplayState{});
    struct Case {
        const char* name;
        TSectionWriter quantities;
        bool loads;
    };
    std::vector<Case> cases;
    {
        Case c{"huge quantity count", {}, false};
        c.quantities.I32(0x7FFFFFFF);
        head(c.quantities, 5);
        cases.push_back(std::move(c));
    }
    {
        Case c{"negative quantity count", {}, false};
        c.quantities.I32(-1);
        cases.push_back(std::move(c));
    }
    {
        Case c{"huge observation count is held to 10000", {}, true};
        c.quantities.I32(1);
        typeAStart(c.quantities, 0, 0x7FFFFFFF);
        c.quantities.U8(0);
        c.quantities.I32(-1);
        cases.push_back(std::move(c));
    }
    {
        Case c{"series index past the data", {}, false};
        c.quantities.I32(1);
        typeAStart(c.quantities, 0, 10);
        c.quantities.U8(0);
        c.quantities.I32(0x7FFFFFFE);
        cases.push_back(std::move(c));
    }
    {
        Case c{"series index below -1", {}, false};
        c.quantities.I32(1);
        typeAStart(c.quantities, 0, 10);
        c.quantities.U8(0);
        c.quantities.I32(-7);
        cases.push_back(std::move(c));
    }
    {
        Case c{"schema columns past the data", {}, false};
        c.quantities.I32(1);
        typeAStart(c.quantities, 1, 10);
        c.quantities.I32(1000000);
        cases.push_back(std::move(c));
    }
    {
        // 10000 rows x 2000 columns: more cells than any model holds.
        Case c{"schema of too many cells", {}, false};
        c.quantities.I32(1);
        typeAStart(c.quantities, 1, 10000);
        c.quantities.I32(2000);
        for (int k = 0; k < 2000; ++k) c.quantities.Text101("");
        c.quantities.Text101("x1");
        c.quantities.I32(-1);
        c.quantities.I32(-1);
        cases.push_back(std::move(c));
    }
    {
        // One grouped value said to occur 10^9 times.
        Case c{"grouped frequency beyond any series", {}, false};
        c.quantities.I32(1);
        typeAStart(c.quantities, 0, 1);
        c.quantities.U8(1);
        c.quantities.Series({2.5});
        c.quantities.Series({1e9});
        cases.push_back(std::move(c));
    }
    {
        Case c{"grouped frequencies within bounds", {}, true};
        c.quantities.I32(1);
        typeAStart(c.quantities, 0, 2);
        c.quantities.U8(1);
        c.quantities.Series({2.5, 3.5});
        c.quantities.Series({1000, 2000});
        cases.push_back(std::move(c));
    }
    {
        Case c{"comment length past the data", {}, false};
        c.quantities.I32(1);
        head(c.quantities, 2);
        c.quantities.I32(0x7FFFFFFF);
        cases.push_back(std::move(c));
    }
    {
        Case c{"kind code out of range has no fields", {}, true};
        c.quantities.I32(1);
        head(c.quantities, 200);
        cases.push_back(std::move(c));
    }
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sections s = empty;
        s[1] = c.quantities.Bytes();
        test::WriteModelFile(dir.File("h.gmf"), s);
        TGumModel loaded;
        TDisplayState d;
        TGumModelFile f;
        f.FileName = dir.File("h.gmf");
        if (c.loads) {
            EXPECT_NO_THROW(LoadModel(f, loaded, d));
            ASSERT_EQ(loaded.Params.Count(), 1);
            EXPECT_LE(loaded.Params.Get(0)->Observations.size(), static_cast<std::size_t>(kMaxObservationCount));
        } else {
            EXPECT_THROW(LoadModel(f, loaded, d), TModelFileError);
        }
    }
    // Blob and list lengths of the other sections.
    Sections s = empty;
    s[0] = Bytes(257, 0);
    s[0].insert(s[0].end(), {0xFF, 0xFF, 0xFF, 0x7F});
    test::WriteModelFile(dir.File("h.gmf"), s);
    TGumModel loaded;
    TDisplayState d;
    TGumModelFile f;
    f.FileName = dir.File("h.gmf");
    EXPECT_THROW(LoadModel(f, loaded, d), TModelFileError);
    s = empty;
    s[3] = test::Hex({0xFF, 0xFF, 0xFF, 0x7F});
    test::WriteModelFile(dir.File("h.gmf"), s);
    EXPECT_THROW(LoadModel(f, loaded, d), TModelFileError);
}

// ---- The orders in which a user opens, edits, saves and closes. ----

class UserSession : public ModelIO {
protected:
    void SetUp() override {
        path = dir.File("lab.gmf");
        TGumModel m;
        TDisplayState d;
        test::FillSampleModel(m, d);
        TGumModelFile f;
        f.FileName = path;
        SaveModel(f, m, d);
        original = test::ReadFile(path);
    }
    std::string path;
    Bytes original;
};

TEST_F(UserSession, OpenThenCloseWithoutChangesLeavesTheFileAsItWas) {
    TGumModelFile file;
    TGumModel model;
    TDisplayState display;
    file.FileName = path;
    LoadModel(file, model, display);
    EXPECT_TRUE(SaveDisplaySettings(file, model, display));  // closing the window
    EXPECT_EQ(test::ReadFile(path), original);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(UserSession, OpenEditSaveThenCloseKeepsTheSavedModel) {
    TGumModelFile file;
    TGumModel model;
    TDisplayState display;
    file.FileName = path;
    LoadModel(file, model, display);
    model.Params.Get(0)->Description = "edited";
    test::AddQuantity(model, "NEW", TParamKind::Const).ConstValue = 7;
    SaveModel(file, model, display);
    const Bytes saved = test::ReadFile(path);
    EXPECT_NE(saved, original);
    EXPECT_EQ(file.WholeFile().Bytes(), saved);
    EXPECT_EQ(test::ReadSections(path), test::SectionsOf(model, display));

    display.EquationPanelHeight = 400;  // the user drags a splitter, then closes
    EXPECT_TRUE(SaveDisplaySettings(file, model, display));
    const test::Sections after = test::ReadSections(path);
    const test::Sections expected = test::SectionsOf(model, display);
    EXPECT_EQ(after, expected);
    // Sections 1..4 are the saved bytes, byte for byte.
    const Bytes closed = test::ReadFile(path);
    const std::size_t start = static_cast<std::size_t>(file.SectionOffset(5));
    EXPECT_TRUE(
        std::equal(saved.begin() + 22, saved.begin() + static_cast<std::ptrdiff_t>(start), closed.begin() + 22));

    TGumModel reopened;
    TDisplayState reopenedDisplay;
    TGumModelFile again;
    again.FileName = path;
    LoadModel(again, reopened, reopenedDisplay);
    EXPECT_EQ(reopened.Params.Get(0)->Description, "edited");
    EXPECT_EQ(reopened.Params.FindByName("NEW")->ConstValue, 7);
    EXPECT_EQ(reopenedDisplay.EquationPanelHeight, 400);
}

TEST_F(UserSession, NewThenSaveAsThenClose) {
    // The current directory holds an unrelated "Untitled.gmf".
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    test::WriteFile(dir.File("Untitled.gmf"), test::Hex({'k', 'e', 'e', 'p'}));

    TGumModelFile file;
    TGumModel model;
    TDisplayState display;
    ClearModel(file, model, display);
    file.FileName = kUntitledFileName;
    test::AddQuantity(model, "R", TParamKind::Result);
    EXPECT_FALSE(SaveDisplaySettings(file, model, display));  // a new model has no file
    EXPECT_EQ(test::ReadFile(dir.File("Untitled.gmf")), test::Hex({'k', 'e', 'e', 'p'}));

    file.FileName = "saved-as.gmf";  // relative: made absolute by the save
    SaveModel(file, model, display);
    std::filesystem::current_path(cwd);
    EXPECT_EQ(file.FileName, dir.File("saved-as.gmf"));
    const Bytes saved = test::ReadFile(file.FileName);
    EXPECT_EQ(saved[0], kHeaderByte1);
    EXPECT_EQ(saved[1], kHeaderByte2);
    EXPECT_EQ(test::ReadSections(file.FileName), test::SectionsOf(model, display));

    display.ShowConstants = false;
    EXPECT_TRUE(SaveDisplaySettings(file, model, display));  // closing
    EXPECT_EQ(test::ReadSections(file.FileName), test::SectionsOf(model, display));
    EXPECT_EQ(test::ReadFile(dir.File("Untitled.gmf")), test::Hex({'k', 'e', 'e', 'p'}));
}

TEST_F(UserSession, OpenAnotherModelKeepsTheDisplaySettingsOfTheFirst) {
    TGumModelFile file;
    TGumModel model;
    TDisplayState display;
    file.FileName = path;
    LoadModel(file, model, display);
    display.BudgetCommentPanelHeight = 17;
    ClearModel(file, model, display);  // the model being left writes its settings
    EXPECT_EQ(model.Params.Count(), 0);
    EXPECT_EQ(display, TDisplayState{});
    EXPECT_EQ(model.FormatSettings.ExponentMarker, "x10");
    EXPECT_FALSE(file.HasDiskFile());
    EXPECT_EQ(file.WholeFile().Size(), 0u);
    EXPECT_FALSE(SaveDisplaySettings(file, model, display));

    TGumModel check;
    TDisplayState checkDisplay;
    TGumModelFile f;
    f.FileName = path;
    LoadModel(f, check, checkDisplay);
    EXPECT_EQ(checkDisplay.BudgetCommentPanelHeight, 17);
}

TEST_F(UserSession, FileDeletedWhileOpenIsNotRecreatedOnClose) {
    TGumModelFile file;
    TGumModel model;
    TDisplayState display;
    file.FileName = path;
    LoadModel(file, model, display);
    std::filesystem::remove(path);
    EXPECT_FALSE(SaveDisplaySettings(file, model, display));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(UserSession, FailedSaveLeavesTheOldFile) {
    TGumModelFile file;
    TGumModel model;
    TDisplayState display;
    file.FileName = path;
    LoadModel(file, model, display);
    file.FileName = dir.File("missing-dir/lab.gmf");
    EXPECT_THROW(SaveModel(file, model, display), TModelFileError);
    EXPECT_EQ(test::ReadFile(path), original);
}

}  // namespace
}  // namespace vormid
