#pragma once
// THistogram: the histogram or the empirical distribution function of a
// Type A series, with an optional fitted normal curve, mean and median
// lines, lines at mean +- k s, value labels and scales on either side. It
// renders into an off-screen picture and copies that onto its child
// THistImg in one operation. The options live in the user's settings file.
#include <QFrame>
#include <QImage>
#include <QString>
#include <memory>

#include "charts/HistogramOptions.h"
#include "core/Statistics.h"

namespace vormid {

namespace charts {
struct THistogramData;
}

// The child that shows the rendered picture.
class THistImg : public QWidget {
    Q_OBJECT
public:
    explicit THistImg(QWidget* parent = nullptr);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

class THistogram : public QFrame {
    Q_OBJECT
public:
    // Where the options are kept. Only Custom is used here: it takes the
    // value name from RegCustomKey. The others name values of other programs.
    enum class TRegKey { Key0 = 0, Key1, Key2, Key3, Key4, Key5, Custom = 6 };

    explicit THistogram(QWidget* parent = nullptr);
    // Saves the options.
    ~THistogram() override;

    void SetRegistryKey(TRegKey key);
    QString RegCustomKey() const { return regCustomKey_; }
    void SetRegCustomKey(const QString& name);
    // The INI file of the options; empty (the default) is the user's
    // settings file of the program. Set before RegCustomKey.
    void SetSettingsFile(const QString& iniPath) { settingsFile_ = iniPath; }

    // Copies what the chart needs from the statistics block and renders.
    void SetData(const SeriesStatistics& stats);
    // Without a block: leaves the has-data state and draws nothing.
    void SetData(const SeriesStatistics* stats);
    // Discards the data and shows the caption "{ Няма данни }".
    void ClearData();
    bool HasData() const { return hasData_; }

    // Option value; an index above 12 (or below 0) gives def.
    int GetOption(int index, int def = 0) const;
    // Store and re-render; SetBoolOption for 0, 1, 5, 6, 7, 11, 12 and
    // SetIntOption for 2, 3, 4, 8, 9, 10, 11. Other indices only re-render.
    void SetBoolOption(int index, bool value);
    void SetIntOption(int index, int value);
    const charts::THistogramOptions& Options() const { return options_; }

    // "Software/Kestrane/Histogram/<RegCustomKey>" in the settings file.
    void LoadOptions();
    void SaveOptions() const;

    // Renders the current data at the current size; the picture stays as it
    // was when there is no data.
    void Render();
    const QImage& Picture() const;
    THistImg* Image() const { return img_; }

    QSize sizeHint() const override { return {485, 358}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString ValueName() const;

    THistImg* img_ = nullptr;
    TRegKey registryKey_ = TRegKey::Custom;
    QString regCustomKey_;
    QString settingsFile_;
    charts::THistogramOptions options_;
    std::unique_ptr<charts::THistogramData> data_;
    bool hasData_ = false;
    QImage offscreen_;
};

}  // namespace vormid
