#include "ui/widgets/MonteCarloPanel.h"

#include <QLabel>

#include "evaluation/MonteCarloNumber.h"
#include "ui/TextCodec.h"
#include "ui_MonteCarloPanel.h"

namespace vormid {
namespace {

QString Number(double x, double tolerance) { return QString::fromUtf8(McNumber(x, tolerance).c_str()); }

QString Interval(double low, double high, double tolerance) {
    return QStringLiteral("[") + Number(low, tolerance) + QStringLiteral("; ") + Number(high, tolerance) +
           QStringLiteral("]");
}

}  // namespace

QString McVerdictText(const TMonteCarloResult& r) {
    if (!r.Gum.Available) return QStringLiteral("няма бюджет за проверка");
    return r.Gum.Validated ? QStringLiteral("потвърден") : QStringLiteral("не е потвърден");
}

TMonteCarloPanel::TMonteCarloPanel(QWidget* parent) : QFrame(parent), ui_(std::make_unique<Ui::TMonteCarloPanel>()) {
    ui_->setupUi(this);
    connect(ui_->btnMcStop, &QPushButton::clicked, this, &TMonteCarloPanel::stopRequested);
    ShowMessage(QString());
}

TMonteCarloPanel::~TMonteCarloPanel() = default;

QString TMonteCarloPanel::Figure(const char* name) const {
    const auto* label = findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QString();
}

void TMonteCarloPanel::ClearFigures() {
    result_.reset();
    for (QLabel* l : {ui_->lblMcTrials, ui_->lblMcDelta, ui_->lblMcMean, ui_->lblMcU, ui_->lblMcSymmetric,
                      ui_->lblMcShortest, ui_->lblMcGum, ui_->lblMcDLow, ui_->lblMcDHigh, ui_->lblMcVerdict})
        l->clear();
    ui_->lblMcVerdict->setStyleSheet(QString());
    ui_->McChart->SetData({});
}

void TMonteCarloPanel::ShowRunning(quint64 trials, quint64 limit) {
    ClearFigures();
    ui_->pbMonteCarlo->setVisible(true);
    ui_->btnMcStop->setVisible(true);
    ui_->pbMonteCarlo->setValue(limit > 0 ? static_cast<int>(1000.0 * static_cast<double>(trials) / limit) : 0);
    ui_->lblMcMessage->setText(QStringLiteral("Изчисляване: %1 опита…").arg(trials));
}

void TMonteCarloPanel::ShowMessage(const QString& text) {
    ClearFigures();
    ui_->pbMonteCarlo->setVisible(false);
    ui_->btnMcStop->setVisible(false);
    ui_->lblMcMessage->setText(text);
}

void TMonteCarloPanel::ShowResult(const TMonteCarloResult& r, const TBudget* budget, const QString& units) {
    if (!r.Ok) {
        // Failed draws: their count and the first one, as the tool says it.
        ShowMessage(FromCp1251(r.Message));
        result_ = r;
        return;
    }
    ShowMessage(r.ApproximateCorrelation
                    ? QStringLiteral("Корелациите са приближени: корелирана величина няма нормално разпределение.")
                    : QString());
    result_ = r;
    const double d = r.Tolerance;
    const QString u = units.isEmpty() ? QString() : QStringLiteral(" ") + units;
    ui_->lblMcTrials->setText(QString::number(r.Trials) + (r.Converged ? QStringLiteral(" (стабилизиран резултат)")
                                                                       : QStringLiteral(" (не се стабилизира)")));
    ui_->lblMcDelta->setText(Number(d, d));
    ui_->lblMcMean->setText(Number(r.Mean, d) + u);
    ui_->lblMcU->setText(Number(r.StdUncertainty, d) + u);
    ui_->lblMcSymmetric->setText(Interval(r.SymmetricLow, r.SymmetricHigh, d) + u);
    ui_->lblMcShortest->setText(Interval(r.ShortestLow, r.ShortestHigh, d) + u);
    if (r.Gum.Available) {
        const TGumValidation& g = r.Gum;
        ui_->lblMcGum->setText(Number(g.Value, d) + QStringLiteral(" ± ") + Number(g.ExpandedUncertainty, d) + u);
        // A digit more than the figures, as the tool writes them against δ.
        ui_->lblMcDLow->setText(Number(g.DLow, d / 10.0) + u);
        ui_->lblMcDHigh->setText(Number(g.DHigh, d / 10.0) + u);
    }
    ui_->lblMcVerdict->setText(McVerdictText(r));
    ui_->lblMcVerdict->setToolTip(r.Gum.Validated ? QStringLiteral("d_low и d_high ≤ δ")
                                                  : QStringLiteral("d_low или d_high > δ"));
    ui_->lblMcVerdict->setStyleSheet(!r.Gum.Available  ? QString()
                                     : r.Gum.Validated ? QStringLiteral("color: rgb(0, 130, 0); font-weight: bold")
                                                       : QStringLiteral("color: rgb(200, 0, 0); font-weight: bold"));

    charts::TMonteCarloChartData c;
    c.Low = r.Histogram.Low;
    c.Width = r.Histogram.Width;
    c.Counts = r.Histogram.Counts;
    c.Trials = r.Trials;
    c.McLow = r.SymmetricLow;
    c.McHigh = r.SymmetricHigh;
    if (budget != nullptr && budget->ErrorCode == NoError && r.Gum.Available) {
        c.HasGum = true;
        c.Value = budget->Value;
        c.StdUncertainty = budget->CombinedUncertainty;
        c.Dof = budget->EffectiveDOF == kInfiniteDof ? -1 : budget->EffectiveDOF;
        c.GumLow = r.Gum.Value - r.Gum.ExpandedUncertainty;
        c.GumHigh = r.Gum.Value + r.Gum.ExpandedUncertainty;
    }
    ui_->McChart->SetData(std::move(c));
}

}  // namespace vormid
