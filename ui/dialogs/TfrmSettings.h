#pragma once
// "Настройки": the model's number-format settings and the user's Monte
// Carlo options. The dialog edits copies; the caller takes Settings() and
// MonteCarlo() after OK.
#include <QDialog>
#include <memory>

#include "core/FormatSettings.h"
#include "ui/MonteCarloSettings.h"

namespace Ui {
class TfrmSettings;
}

namespace vormid {

class TfrmSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSettings(const TNumberFormatSettings& settings, QWidget* parent = nullptr);
    ~TfrmSettings() override;

    // The settings as the controls hold them now (what OK stores). With no
    // exponent marker chosen the previous marker stays.
    TNumberFormatSettings Settings() const;

    // Runs the dialog modally on a copy of settings and the Monte Carlo
    // options; true and the new ones in settings and mc after OK, both
    // untouched after Cancel.
    static bool Edit(TNumberFormatSettings& settings, TMonteCarloSettings& mc, QWidget* parent);

    void SetMonteCarlo(const TMonteCarloSettings& mc);
    // The options as the controls hold them; a seed that is no whole number
    // keeps the one the dialog opened with.
    TMonteCarloSettings MonteCarlo() const;

    // The live texts, for the controls' current values.
    static QString LowLabel(int exponent);
    static QString HighLabel(int exponent);
    static QString PreviewText(const QString& marker);

private:
    void UpdateLabels();
    void UpdatePreview();

    std::unique_ptr<Ui::TfrmSettings> ui_;
    TNumberFormatSettings original_;
    TMonteCarloSettings mc_;
};

}  // namespace vormid
