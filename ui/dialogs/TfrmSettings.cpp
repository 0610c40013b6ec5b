#include "ui/dialogs/TfrmSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "ui/TextCodec.h"
#include "ui_TfrmSettings.h"

namespace vormid {
namespace {

// The threshold is a 32-bit integer in the model file: 10^9 is the largest
// power of ten it holds.
constexpr int kLargestHighExponent = 9;

long long PowerOfTen(int exponent) {
    long long p = 1;
    for (int i = 0; i < exponent; ++i) p *= 10;
    return p;
}

}  // namespace

TfrmSettings::TfrmSettings(const TNumberFormatSettings& s, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmSettings>()), original_(s) {
    ui_->setupUi(this);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    setFont(f);
    ui_->seMax->setMaximum(kLargestHighExponent);
    ui_->seCMN->setValue(s.DefaultSignificantDigits);
    ui_->seMin->setValue(s.LowExponent);
    ui_->seMax->setValue(std::clamp(s.HighExponent, 0, kLargestHighExponent));
    ui_->cbEForm->setCurrentIndex(ui_->cbEForm->findText(QString::fromStdString(s.ExponentMarker)));
    ui_->edRes->setText(FromCp1251(s.DefaultValueFormat));
    ui_->cbRes->setChecked(s.DefaultValueExp);
    ui_->edRU->setText(FromCp1251(s.DefaultUncertaintyFormat));
    ui_->cbRU->setChecked(s.DefaultUncertaintyExp);
    for (QSpinBox* box : {ui_->seMin, ui_->seMax, ui_->seCMN})
        connect(box, &QSpinBox::valueChanged, this, [this] { UpdateLabels(); });
    connect(ui_->cbEForm, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });
    connect(ui_->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    SetMonteCarlo(mc_);
    UpdateLabels();
    UpdatePreview();
    if (const QScreen* screen = (parent ? parent->screen() : QGuiApplication::primaryScreen()))
        move(screen->availableGeometry().center() - rect().center());
}

TfrmSettings::~TfrmSettings() = default;

QString TfrmSettings::LowLabel(int e) {
    return QStringLiteral("Стойности < 10E-") + QString(17, QLatin1Char(' ')) +
           QString::number(std::pow(10.0, -e), 'f', e);
}

QString TfrmSettings::HighLabel(int e) {
    return QStringLiteral("Стойности > 10E") + QString(18, QLatin1Char(' ')) +
           QString::number(PowerOfTen(std::clamp(e, 0, kLargestHighExponent)));
}

QString TfrmSettings::PreviewText(const QString& marker) {
    if (marker.isEmpty()) return QStringLiteral("1.23");
    if (marker.toUpper() == QLatin1String("E")) return QStringLiteral("1.23E-6");
    return QStringLiteral("1.23") + marker.toHtmlEscaped() + QStringLiteral("<sup>-6</sup>");
}

void TfrmSettings::UpdateLabels() {
    ui_->lblMin->setText(LowLabel(ui_->seMin->value()));
    ui_->lblMax->setText(HighLabel(ui_->seMax->value()));
}

void TfrmSettings::UpdatePreview() {
    const int i = ui_->cbEForm->currentIndex();
    ui_->XLabel1->setText(PreviewText(i < 0 ? QString() : ui_->cbEForm->itemText(i)));
}

TNumberFormatSettings TfrmSettings::Settings() const {
    TNumberFormatSettings s = original_;
    // A control the user left as it was opened keeps the stored setting
    // exactly: a threshold read from a file need not be the computed power
    // to the last bit, and a stored value outside a control's range would
    // otherwise change by OK alone (and mark the model modified).
    const auto shown = [](const QSpinBox* box, int stored) {
        return std::clamp(stored, box->minimum(), box->maximum());
    };
    if (ui_->seCMN->value() != shown(ui_->seCMN, original_.DefaultSignificantDigits))
        s.DefaultSignificantDigits = ui_->seCMN->value();
    if (ui_->seMin->value() != shown(ui_->seMin, original_.LowExponent)) {
        s.LowExponent = ui_->seMin->value();
        s.LowThreshold = std::pow(10.0, -s.LowExponent);
    }
    if (ui_->seMax->value() != shown(ui_->seMax, original_.HighExponent)) {
        s.HighExponent = ui_->seMax->value();
        s.HighThreshold = PowerOfTen(s.HighExponent);
    }
    if (ui_->cbEForm->currentIndex() >= 0) s.ExponentMarker = ui_->cbEForm->currentText().toStdString();
    s.DefaultValueFormat = ToCp1251(ui_->edRes->text());
    s.DefaultValueExp = ui_->cbRes->isChecked();
    s.DefaultUncertaintyFormat = ToCp1251(ui_->edRU->text());
    s.DefaultUncertaintyExp = ui_->cbRU->isChecked();
    return s;
}

void TfrmSettings::SetMonteCarlo(const TMonteCarloSettings& mc) {
    mc_ = mc;
    ui_->seMcDigits->setValue(mc.Digits);
    ui_->seMcTrials->setValue(static_cast<int>(std::min<std::uint64_t>(mc.Trials, kMcMaxTrials)));
    ui_->cbMcFixed->setChecked(mc.Fixed);
    ui_->edMcSeed->setText(QString::number(mc.Seed));
    ui_->seMcThreads->setValue(static_cast<int>(std::min(mc.Threads, kMcMaxThreads)));
}

TMonteCarloSettings TfrmSettings::MonteCarlo() const {
    TMonteCarloSettings mc = mc_;
    mc.Digits = ui_->seMcDigits->value();
    mc.Trials = static_cast<std::uint64_t>(ui_->seMcTrials->value());
    mc.Fixed = ui_->cbMcFixed->isChecked();
    bool ok = false;
    const qulonglong seed = ui_->edMcSeed->text().trimmed().toULongLong(&ok);
    if (ok) mc.Seed = seed;
    mc.Threads = static_cast<unsigned>(ui_->seMcThreads->value());
    return mc;
}

bool TfrmSettings::Edit(TNumberFormatSettings& settings, TMonteCarloSettings& mc, QWidget* parent) {
    TfrmSettings dialog(settings, parent);
    dialog.SetMonteCarlo(mc);
    if (dialog.exec() != QDialog::Accepted) return false;
    settings = dialog.Settings();
    mc = dialog.MonteCarlo();
    return true;
}

}  // namespace vormid
