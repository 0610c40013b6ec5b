#include "ui/editors/TypeBEditor.h"

#include <algorithm>
#include <cmath>

#include "core/GumParam.h"
#include "core/QuantityFields.h"
#include "core/Statistics.h"
#include "evaluation/QuantitySummary.h"
#include "ui/DistributionChartLabel.h"
#include "ui/ModelController.h"
#include "ui/TextCodec.h"
#include "ui_TypeBEditor.h"

namespace vormid {
namespace {

const char* const kEvalCaptions[] = {"Разш. неопределеност", "Станд. неопределеност", "Граница на грешката"};

// The caption of the second entry of an interval.
const char* SecondLabelOf(TDistribution d) {
    switch (d) {
        case dc_LgNormal:
            return "Параметър на разсейване";
        case dc_Trapez:
            return "1/2 интервал на разпр. (Г)";
        default:
            return "Вероят. на покриване в %";
    }
}

// The range of a Type B field (one range wherever the record holds it).
TRange TypeBRange(TField id) {
    for (const TQuantityField& f : QuantityKindFields(static_cast<std::uint8_t>(TParamKind::TypeB)))
        if (f.Id == id) return f.Range;
    return {};
}

const char* FirstLabelOf(TDistribution d) {
    if (d == dc_LgNormal) return "Параметър на формата";
    if (d == dc_Trapez) return "1/2 интервал на разпр. (Д)";
    return "1/2 интервал на разпр.";
}

// The rule of a box whose number states a spread: never negative ("-0"
// included, so that typing "-0,5" stores nothing on the way).
TNumberEdit::TRule NotNegative(const char* reason) {
    const QString text = QString::fromUtf8(reason);
    return [text](double v) { return std::signbit(v) ? text : QString(); };
}

// Why a negative first parameter is refused.
const char* NegativeSpreadOf(int kind, TDistribution d) {
    switch (kind) {
        case be_Expanded:
            return "разширената неопределеност не може да бъде отрицателна.";
        case be_Standard:
            return "стандартната неопределеност не може да бъде отрицателна.";
        case be_Bound:
            return "границата на грешката не може да бъде отрицателна.";
        default:
            return d == dc_LgNormal ? "параметърът на формата не може да бъде отрицателен."
                                    : "полуширината на разпределението не може да бъде отрицателна.";
    }
}

// The whole number of a degrees or per-cent box; 0 when empty or not whole.
int WholeNumber(const TNumberEdit* box) {
    std::optional<double> v = ParseTypedNumber(box->TypedText());
    if (!v || *v != std::trunc(*v) || std::fabs(*v) > 1e9) return 0;
    return static_cast<int>(*v);
}

}  // namespace

TTypeBEditor::TTypeBEditor(QWidget* parent) : TKindEditor(parent), ui_(std::make_unique<Ui::TTypeBEditor>()) {
    ui_->setupUi(this);
    // The window's own colours, in place of the control's defaults.
    auto* chart = ui_->DistributionChart1;
    chart->SetColorGraph(QColor(84, 128, 171));
    chart->SetColorFill(QColor(249, 248, 242));
    chart->SetColorAVG(QColor(106, 174, 108));
    chart->SetColorLine(QColor(240, 167, 94));
    ui_->feBParam3->SetRange(0.1, 10.0);
    ui_->feBParam3->SetDecimals(2);
    ui_->feBParam3->SetRule([](double k) {
        return k > 0.0 ? QString() : QStringLiteral("факторът на покриване трябва да е положително число (0,1 … 10).");
    });
    const TRange dof = TypeBRange(TField::DegreesOfFreedom);
    ui_->feBDOF->SetRange(dof.Min, dof.Max);
    ui_->feBDOF->SetIntegerOnly(true);
    const TRange reliability = TypeBRange(TField::Reliability);
    ui_->feBRelError->SetRange(reliability.Min, reliability.Max);
    ui_->feBRelError->SetIntegerOnly(true);

    connect(ui_->cbBEvalType, &QComboBox::activated, this, [this](int item) {
        Edit([item](TGumParam& q) { q.BEvalType = static_cast<std::uint8_t>(item); }, true, true);
    });
    connect(ui_->cbBDistType, &QComboBox::activated, this, [this](int item) {
        Edit([item](TGumParam& q) { q.Distribution = static_cast<TDistribution>(item); }, true, true);
    });
    connect(ui_->cbBLimit, &QComboBox::activated, this, [this](int item) {
        Edit([item](TGumParam& q) { q.LimitSide = item == 0 ? ll_Top : ll_Bottom; }, false, true);
    });
    // A number kept with the text it was typed as.
    for (auto [box, number, typed] : {std::tuple{ui_->feBValue, &TGumParam::BValue, &TGumParam::BValueText},
                                      std::tuple{ui_->feBParam1, &TGumParam::StatedValue, &TGumParam::StatedValueText}})
        connect(box, &TNumberEdit::valueEdited, this, [this, box = box, number = number, typed = typed](double v) {
            const std::string text = ToCp1251(box->TypedText());
            Edit(
                [&](TGumParam& q) {
                    q.*number = v;
                    q.*typed = text;
                },
                false, true);
        });
    connect(ui_->cbBParam1, &QCheckBox::toggled, this, [this](bool on) {
        // The percent flag changes u: a change of the model like any other.
        if (controller_) controller_->EditSelected([on](TGumParam& q) { q.InPercent = on; });
    });
    connect(ui_->feBParam2, &TNumberEdit::valueEdited, this, [this](double v) {
        const std::string text = ToCp1251(ui_->feBParam2->TypedText());
        Edit(
            [&](TGumParam& q) {
                if (PresentField(q, TField::CoverageProbability)) {
                    q.CoverageProbability = v;
                } else {
                    q.BParam2 = v;
                    q.BParam2Text = text;
                }
            },
            false, true);
    });
    connect(ui_->feBParam3, &TNumberEdit::valueEdited, this, [this](double v) {
        if (!ui_->feBParam3->text().trimmed().isEmpty())
            Edit([v](TGumParam& q) { q.CoverageFactor = v; }, false, false);
    });
    connect(ui_->feBDOF, &TNumberEdit::typedTextEdited, this, [this] {
        const int nu = WholeNumber(ui_->feBDOF);
        Edit([nu](TGumParam& q) { q.SetDegreesOfFreedom(nu); }, false, true);
    });
    connect(ui_->feBRelError, &TNumberEdit::typedTextEdited, this, [this] {
        const int r = WholeNumber(ui_->feBRelError);
        const TRange range = TypeBRange(TField::Reliability);
        const int held = std::clamp(r, static_cast<int>(range.Min), static_cast<int>(range.Max));
        Edit([held](TGumParam& q) { q.Reliability = static_cast<std::uint8_t>(held); }, false, false);
    });
}

TTypeBEditor::~TTypeBEditor() = default;

void TTypeBEditor::Attach(TModelController& controller) {
    TKindEditor::Attach(controller);
    const TNumberFormatSettings* settings = &controller.Model().FormatSettings;
    ui_->DistributionChart1->SetOnLabel(
        [settings](long double value, QString& v, QString& e) { DistributionChart1Label(*settings, value, v, e); });
    // The chart's labels are written with the format settings when drawn.
    connect(&controller, &TModelController::formatsChanged, ui_->DistributionChart1, qOverload<>(&QWidget::update));
}

void TTypeBEditor::Edit(const std::function<void(TGumParam&)>& fn, bool layout, bool chart) {
    if (!controller_ || controller_->Loading()) return;
    if (!controller_->EditSelected(fn)) return;
    TGumParam* q = controller_->SelectedQuantity();
    if (!q) return;
    auto scope = controller_->LoadingScope();
    if (layout) {
        Layout(*q);
        ShowSecondEntry(*q);
    }
    if (chart) RefreshChart(*q);
}

void TTypeBEditor::Display(TGumParam& q) {
    ui_->cbBEvalType->setCurrentIndex(q.BEvalType <= be_Interval ? q.BEvalType : int{be_Expanded});
    Layout(q);
    ui_->feBValue->ShowStored(q.BValue, q.BValueText);
    ui_->cbBLimit->setCurrentIndex(q.LimitSide == ll_Top ? 0 : 1);
    ui_->cbBParam1->setChecked(q.InPercent);
    ui_->feBParam1->ShowStored(q.StatedValue, q.StatedValueText);
    ShowSecondEntry(q);
    ui_->feBParam3->SetValue(q.CoverageFactor);
    ui_->feBDOF->SetValue(q.DegreesOfFreedom);
    ui_->feBRelError->SetValue(q.Reliability);
    RefreshChart(q);
}

void TTypeBEditor::Layout(TGumParam& q) {
    const int kind = q.BEvalType <= be_Interval ? q.BEvalType : int{be_Expanded};
    const bool interval = kind == be_Interval;
    if (!interval) {
        // Kinds 0 to 2 state their distribution; keeping it stored keeps the
        // quantity and the distribution box in agreement.
        const TDistribution forced = kind == be_Bound ? dc_Rectangle : dc_Normal;
        if (q.Distribution != forced)
            controller_->AdjustQuantity(controller_->Model().Params.IndexOf(&q),
                                        [forced](TGumParam& p) { p.Distribution = forced; });
    }
    const auto d = static_cast<TDistribution>(q.Distribution < kDistributionCount ? q.Distribution : dc_Rectangle);
    // What the record holds for the kind and distribution shown.
    TRecordCodes codes = CodesOf(q);
    codes.Set(TCodeSlot::BEvalType, static_cast<std::uint8_t>(kind));
    codes.Set(TCodeSlot::Distribution, d);
    const auto present = [&](TField id) { return PresentField(TParamKind::TypeB, codes, id) != nullptr; };
    // The box always shows the quantity's own distribution, also when kind 3
    // is chosen again after kinds 0 to 2.
    ui_->cbBDistType->setCurrentIndex(d);
    const auto show = [&](TField id, std::initializer_list<QWidget*> row) {
        for (QWidget* w : row) w->setVisible(present(id));
    };
    show(TField::Distribution, {ui_->cbBDistType, ui_->lblBDistType});
    const bool lognormal = present(TField::LimitSide);
    ui_->cbBLimit->setVisible(lognormal);
    ui_->lblBValue->setText(lognormal ? QStringLiteral("Гранична стойност") : QStringLiteral("Стойност"));
    ui_->cbBParam1->setVisible(present(TField::InPercent));
    ui_->lblBParam1->setText(QString::fromUtf8(interval ? FirstLabelOf(d) : kEvalCaptions[kind]));
    // A negative spread gives no uncertainty at all; the budget refuses it too.
    ui_->feBParam1->SetRule(NotNegative(NegativeSpreadOf(kind, d)));

    // The second entry holds the coverage probability or the second parameter.
    const TQuantityField* secondField = PresentField(TParamKind::TypeB, codes, TField::CoverageProbability);
    if (!secondField) secondField = PresentField(TParamKind::TypeB, codes, TField::BParam2);
    const bool second = secondField != nullptr;
    // A per-cent entry: a bounded range, two decimals.
    const bool probability = second && std::isfinite(secondField->Range.Max);
    QString secondLabel;
    if (kind == be_Expanded)
        secondLabel = QStringLiteral("Вер. на покриване в %");
    else if (second)
        secondLabel = QString::fromUtf8(SecondLabelOf(d));
    ui_->feBParam2->setVisible(second);
    ui_->lblBParam2->setVisible(second);
    ui_->lblBParam2->setText(secondLabel);
    if (probability) {
        ui_->feBParam2->SetRange(secondField->Range.Min, secondField->Range.Max);
        ui_->feBParam2->SetDecimals(2);
    } else {
        ui_->feBParam2->SetRange(-INFINITY, INFINITY);
        ui_->feBParam2->SetDecimals(-1);
    }
    // The upper base of a trapezoid is a half-width as well; the scale of
    // the log-normal distribution may be any number.
    ui_->feBParam2->SetRule(interval && d == dc_Trapez
                                ? NotNegative("полуширината на горната основа не може да бъде отрицателна.")
                                : TNumberEdit::TRule());
    show(TField::CoverageFactor, {ui_->feBParam3, ui_->lblBParam3});
    show(TField::DegreesOfFreedom, {ui_->feBDOF, ui_->lblBDOF});
    show(TField::Reliability, {ui_->feBRelError, ui_->lblBRelError, ui_->lblBRelErrorPercent});
    ui_->pnlBChart->setVisible(interval);
    // Without the chart the blank beside the entries takes the width, not
    // the number boxes.
    ui_->layTypeB->setStretch(2, interval ? 0 : 1);
}

void TTypeBEditor::ShowSecondEntry(const TGumParam& q) {
    if (PresentField(q, TField::CoverageProbability))
        ui_->feBParam2->SetValue(q.CoverageProbability);
    else
        ui_->feBParam2->ShowStored(q.BParam2, q.BParam2Text);
}

void TTypeBEditor::RefreshChart(const TGumParam& q) {
    if (q.BEvalType != be_Interval) return;
    auto* chart = ui_->DistributionChart1;
    const auto d = static_cast<TDistribution>(ui_->cbBDistType->currentIndex());
    chart->SetDistribution(d);
    chart->SetAVG(q.BValue);
    chart->SetParam1(q.StatedValue);
    const std::string missing = MissingCoverageFactor(q);
    ui_->lblBNoFactor->setText(QString::fromStdString(missing));
    ui_->lblBNoFactor->setVisible(!missing.empty());
    chart->setVisible(missing.empty());
    if (d == dc_Normal || d == dc_DistributonT) {
        const double p = d == dc_Normal ? q.CoverageProbability : q.BParam2;
        if (p <= 100.0) {
            const double k = NormalCoverageFactor(p);
            if (std::isfinite(k)) chart->SetParam2(k);
        }
    } else if (d == dc_LgNormal) {
        chart->SetParam2(q.BParam2);
        chart->SetLtdType(q.LimitSide);
    } else {
        chart->SetParam2(q.BParam2);
    }
}

}  // namespace vormid
