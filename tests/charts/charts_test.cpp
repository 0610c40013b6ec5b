// The charts as widgets: pixels of rendered pictures, the histogram's
// options in the settings file, the Type B label formatter, and the demo
// pictures (written to $VORMID_CHART_PICTURES when it is set).
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "ChartDemos.h"
#include "charts/ChartPainter.h"
#include "charts/HistogramIcons.h"
#include "charts/HistogramLayout.h"
#include "charts/DistributionShape.h"
#include "ui/DistributionChartLabel.h"
#include "ui/editors/TypeBEditor.h"

using namespace vormid;

namespace {

const QColor kBack(236, 233, 216);
const char* const kOptionsKey = "Software/Kestrane/Histogram/Vormid";

QColor Pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

// Layout of the histogram demo, as the widget computes it.
charts::THistogramLayout DemoLayout(const char* options, const SeriesStatistics& stats) {
    QFont font;
    font.setPointSize(8);
    charts::THistogramOptions o;
    charts::ParseHistogramOptions(options, o);
    return charts::ComputeHistogramLayout(charts::CopyHistogramData(stats), o, 485, 358, charts::FontTextWidth(font));
}

// Text is black; the curve, marker and fill colours are not.
bool Black(QRgb c) { return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80; }

int CountColour(const QImage& image, const QColor& c) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == c) ++n;
    return n;
}

}  // namespace

class TstCharts : public QObject {
    Q_OBJECT
private slots:
    void distributionBackgroundAndAxes_data();
    void distributionBackgroundAndAxes();
    void distributionLabelsOnlyWithHandler();
    void logNormalForgetsInvalidParameters();
    void histogramFrameBarsAndCurve();
    void histogramClassesAgainstTheLimits();
    void histogramNoDataCaption();
    void histogramOptionsInSettingsFile();
    void histogramFirstRunShowsTheDefaults();
    void typeBPageChartColours();
    void labelFormatter_data();
    void labelFormatter();
    void picturesAndIcons();
    void demoPictures();
};

void TstCharts::distributionBackgroundAndAxes_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("param1");
    for (int k = 0; k < kDistributionCount; ++k)
        QTest::newRow(qPrintable(test::DistributionDemoName(static_cast<TDistribution>(k)))) << k << 0.0;
    QTest::newRow("unset parameter") << int(dc_Normal) << -1.0;
}

void TstCharts::distributionBackgroundAndAxes() {
    QFETCH(int, kind);
    QFETCH(double, param1);
    const int W = 351, H = 194;
    TDistributionChart chart;
    chart.resize(W, H);
    test::SetupDistributionDemo(chart, static_cast<TDistribution>(kind));
    if (param1 == -1.0) chart.SetParam1(-1.0);
    QImage image(W, H, QImage::Format_RGB32);
    chart.render(&image);
    QCOMPARE(Pixel(image, W - 2, 1), kBack);
    QCOMPARE(Pixel(image, 1, H - 1), kBack);
    QCOMPARE(Pixel(image, 5, 3), QColor(Qt::black));
    QCOMPARE(Pixel(image, 5, H / 2), QColor(Qt::black));
    QCOMPARE(Pixel(image, W / 3, H - 15), QColor(Qt::black));
    QCOMPARE(Pixel(image, W - 1, H - 15), QColor(Qt::black));
    QCOMPARE(Pixel(image, 4, H / 2), kBack);
    if (param1 == -1.0) {
        QCOMPARE(CountColour(image, kBack) + (W - 5) + (H - 15), W * H);  // nothing but the two axes
    } else if (kind != dc_DistributionU && kind != dc_LgNormal) {
        // Inside the shape, just above the base line, left of the value marker.
        QCOMPARE(Pixel(image, charts::TableX(45, W), H - 20), QColor(249, 248, 242));
    }
}

void TstCharts::distributionLabelsOnlyWithHandler() {
    const int W = 351, H = 194;
    TDistributionChart chart;
    chart.resize(W, H);
    chart.SetParam1(1);
    chart.SetParam2(2);
    auto darkInLabelRows = [&] {
        QImage image(W, H, QImage::Format_RGB32);
        chart.render(&image);
        int dark = 0;
        for (int y = H - 14; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (Black(image.pixel(x, y)) && y != H - 15 && x != 5) ++dark;
        return dark;
    };
    QCOMPARE(darkInLabelRows(), 0);
    chart.SetOnLabel([](long double, QString& v, QString& e) {
        v = QStringLiteral("1,50x10");
        e = QStringLiteral("-6");
    });
    QVERIFY(darkInLabelRows() > 0);
    // The exponent stands higher than the same digits in the main text.
    auto topmostDark = [&](const QString& v, const QString& e) {
        chart.SetOnLabel([v, e](long double, QString& V, QString& E) { V = v, E = e; });
        QImage image(W, H, QImage::Format_RGB32);
        chart.render(&image);
        for (int y = H - 20; y < H; ++y)
            for (int x = W / 2 + 5; x < W; ++x)
                if (Black(image.pixel(x, y)) && y != H - 15) return y;
        return H;
    };
    QVERIFY(topmostDark("1,50x10", "88") < topmostDark("1,50x1088", ""));
}

void TstCharts::logNormalForgetsInvalidParameters() {
    TDistributionChart chart;
    chart.resize(351, 194);
    chart.SetDistribution(dc_LgNormal);
    chart.SetParam1(0.5);
    chart.SetParam2(0.1);
    QVERIFY(chart.LogNormal().Valid);
    QVERIFY(!chart.Picture().Curve.empty());
    chart.SetParam1(-0.5);
    QVERIFY(!chart.LogNormal().Valid);
    const auto pic = chart.Picture();
    QVERIFY(pic.Curve.empty());
    QVERIFY(pic.Markers.empty());
    QVERIFY(pic.Axes);
    chart.SetParam1(0.5);
    QVERIFY(chart.LogNormal().Valid);
    chart.SetDistribution(dc_Normal);
    QVERIFY(!chart.LogNormal().Valid);
}

void TstCharts::histogramFrameBarsAndCurve() {
    const SeriesStatistics stats = test::DemoStatistics();
    const char* options = "1000000000000";
    const QImage bars = test::RenderHistogramDemo(options);
    QCOMPARE(bars.size(), QSize(485, 358));
    const auto l = DemoLayout(options, stats);
    QCOMPARE(Pixel(bars, l.L + l.PW / 2, l.T), QColor(Qt::black));  // the frame's top edge
    QCOMPARE(Pixel(bars, l.L + l.PW, l.T + 2), QColor(Qt::black));  // its right edge
    QCOMPARE(Pixel(bars, 10, 100), Pixel(bars, 0, 0));              // the title-bar strip
    // The tallest class: lime inside, green outline.
    const auto d = charts::CopyHistogramData(stats);
    std::size_t j = 0;
    for (std::size_t i = 0; i < d.Counts.size(); ++i)
        if (d.Counts[i] > d.Counts[j]) j = i;
    const int left = l.X(d.Bounds[j]), right = l.X(d.Bounds[j + 1]);
    QCOMPARE(Pixel(bars, (left + right) / 2, l.B - 3), QColor(0, 255, 0));
    QCOMPARE(Pixel(bars, left, l.B - 3), QColor(0, 128, 0));
    QCOMPARE(Pixel(bars, (left + right) / 2, charts::Nint(l.B - l.Sf * d.RelFreq[j])), QColor(0, 128, 0));

    const QImage curve = test::RenderHistogramDemo("0100000000000");
    const int xm = l.X(d.Mean);
    int red = 0;
    for (int y = l.T; y < l.B; ++y)
        for (int x = xm - 3; x <= xm + 3; ++x)
            if (Pixel(curve, x, y) == QColor(255, 0, 0)) ++red;
    QVERIFY(red > 0);
    QVERIFY(CountColour(curve, QColor(255, 0, 0)) > l.PW / 2);
}

void TstCharts::histogramClassesAgainstTheLimits() {
    // A block whose limit values lie inside its outer classes.
    SeriesStatistics stats;
    stats.Count = 14;
    stats.Min = 0, stats.Max = 5, stats.Mean = 2.5, stats.Median = 2.5, stats.StdDev = 1.2;
    stats.RangeLow = 1.5, stats.RangeHigh = 3.5;
    stats.ClassCount = 5;
    stats.ClassBounds = {0, 1, 2, 3, 4, 5};
    stats.Counts = {2, 3, 4, 3, 2};
    stats.CumCounts = {2, 5, 9, 12, 14};
    for (int c : stats.Counts) stats.RelFreq.push_back(c / 14.0);
    for (int c : stats.CumCounts) stats.CumRelFreq.push_back(c / 14.0);
    QTemporaryDir dir;
    THistogram h;
    h.SetSettingsFile(dir.filePath("o.ini"));
    h.resize(487, 360);
    h.SetBoolOption(0, true);
    h.SetData(stats);
    const QImage image = h.Picture();
    const auto l = DemoLayout("1000000000000", stats);
    struct Row {
        double mid;
        QColor fill, outline;
    };
    const Row rows[] = {{0.5, QColor(255, 0, 0), QColor(128, 0, 0)},
                        {1.5, QColor(255, 255, 0), QColor(0, 128, 128)},
                        {2.5, QColor(0, 255, 0), QColor(0, 128, 0)},
                        {3.5, QColor(255, 255, 0), QColor(0, 128, 128)},
                        {4.5, QColor(255, 0, 0), QColor(128, 0, 0)}};
    for (const Row& r : rows) {
        QCOMPARE(Pixel(image, l.X(r.mid) - 3, l.B - 2), r.fill);
        QCOMPARE(Pixel(image, l.X(r.mid), l.B), r.outline);  // the bottom edge
    }
}

void TstCharts::histogramNoDataCaption() {
    QTemporaryDir dir;
    THistogram h;
    h.SetSettingsFile(dir.filePath("o.ini"));
    h.resize(200, 120);
    QVERIFY(!h.HasData());
    QVERIFY(h.Image()->isHidden());
    h.SetData(test::DemoStatistics());
    QVERIFY(h.HasData());
    QVERIFY(!h.Image()->isHidden());
    h.SetData(nullptr);
    QVERIFY(!h.HasData());
    h.SetData(test::DemoStatistics());
    h.ClearData();
    QVERIFY(!h.HasData());
    QVERIFY(h.Image()->isHidden());
    const QImage shown = h.grab().toImage();
    int dark = 0;
    for (int y = 10; y < 110; ++y)
        for (int x = 10; x < 190; ++x)
            if (qGray(shown.pixel(x, y)) < 128) ++dark;
    QVERIFY(dark > 20);  // the caption "{ Няма данни }"
    QCOMPARE(h.GetOption(13, 7), 7);
    QCOMPARE(h.GetOption(-1, 4), 4);
}

void TstCharts::histogramOptionsInSettingsFile() {
    QTemporaryDir dir;
    const QString ini = dir.filePath("Vormid.ini");
    struct Row {
        const char* stored;
        const char* saved;
    };
    // Options 4, 7, 11 and 12 have no control and go back as they came.
    const Row rows[] = {{"1121510110321", "1121510110321"},
                        {"0021x10110301", "0021000000000"},
                        {"", "0000000000000"},
                        {nullptr, "1121010110301"}};  // a first run: the default set
    for (const Row& r : rows) {
        {
            QSettings s(ini, QSettings::IniFormat);
            s.clear();
            if (r.stored) s.setValue(kOptionsKey, QString::fromLatin1(r.stored));
        }
        {
            THistogram h;
            h.SetSettingsFile(ini);
            h.SetRegistryKey(THistogram::TRegKey::Custom);
            h.SetRegCustomKey(QStringLiteral("Vormid"));
        }
        QSettings s(ini, QSettings::IniFormat);
        QCOMPARE(s.value(kOptionsKey).toString(), QString::fromLatin1(r.saved));
    }
    // A choice made on the toolbar survives to the next run.
    {
        THistogram h;
        h.SetSettingsFile(ini);
        h.SetRegCustomKey(QStringLiteral("Vormid"));
        h.SetIntOption(8, 1);
        h.SetIntOption(10, 6);
        h.SetBoolOption(2, false);  // not a boolean option: only re-renders
        QCOMPARE(h.GetOption(2), 2);
    }
    THistogram again;
    again.SetSettingsFile(ini);
    again.SetRegCustomKey(QStringLiteral("Vormid"));
    QCOMPARE(again.GetOption(8), 1);
    QCOMPARE(again.GetOption(10), 6);
}

// With nothing stored the histogram starts from "1121010110301": the
// distribution function with both scales and the lines at mean +- 3 s.
void TstCharts::histogramFirstRunShowsTheDefaults() {
    QTemporaryDir dir;
    THistogram h;
    h.SetSettingsFile(dir.filePath("Vormid.ini"));
    h.SetRegistryKey(THistogram::TRegKey::Custom);
    h.SetRegCustomKey(QStringLiteral("Vormid"));
    QCOMPARE(QString::fromStdString(charts::FormatHistogramOptions(h.Options())),
             QString::fromLatin1(charts::kDefaultHistogramOptions));
    h.resize(487, 360);
    const SeriesStatistics stats = test::DemoStatistics();
    h.SetData(stats);
    const QImage picture = h.Picture();
    const auto l = DemoLayout(charts::kDefaultHistogramOptions, stats);
    QVERIFY(l.L > 15);                                          // room for the left scale
    QVERIFY(l.PW < 485 - l.L - 15);                             // and for the right one
    QVERIFY(CountColour(picture, QColor(0, 128, 255)) > 100);   // bars of the distribution function
    QVERIFY(CountColour(picture, QColor(0, 128, 0)) > 2 * 20);  // the two dashed lines at +- 3 s
    int scaleText = 0;                                          // labels of the left scale
    for (int y = l.T; y < l.B; ++y)
        for (int x = 21; x < l.L - 6; ++x)
            if (Black(picture.pixel(x, y))) ++scaleText;
    QVERIFY(scaleText > 20);
}

// The Type B page draws its chart in the window's colours, not the control's.
void TstCharts::typeBPageChartColours() {
    TTypeBEditor editor;
    auto* chart = editor.findChild<TDistributionChart*>(QStringLiteral("DistributionChart1"));
    QVERIFY(chart);
    editor.resize(800, 600);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    chart->SetDistribution(dc_Rectangle);
    chart->SetAVG(10);
    chart->SetParam1(1);
    chart->SetParam2(0);
    chart->show();
    const int W = chart->width(), H = chart->height();
    QImage image(W, H, QImage::Format_RGB32);
    chart->render(&image);
    QCOMPARE(Pixel(image, W / 2 + 30, H / 2), QColor(249, 248, 242));            // fill
    QCOMPARE(Pixel(image, W / 2 + 30, 15), QColor(84, 128, 171));                // outline
    QCOMPARE(Pixel(image, W / 2, H / 2), QColor(106, 174, 108));                 // value marker
    QCOMPARE(Pixel(image, charts::TableX(80, W), H / 2), QColor(240, 167, 94));  // limit marker
    QCOMPARE(CountColour(image, QColor(0, 0, 255)) + CountColour(image, QColor(255, 0, 255)), 0);
}

void TstCharts::labelFormatter_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("v");
    QTest::addColumn<QString>("e");
    QTest::newRow("in range, plain decimals") << 10.25 << "x10"
                                              << "10,25"
                                              << "";
    QTest::newRow("ten decimals at most") << 0.12345678912345 << "x10"
                                          << "0,1234567891"
                                          << "";
    QTest::newRow("zero") << 0.0 << "x10"
                          << "0"
                          << "";
    QTest::newRow("negative") << -9.75 << "x10"
                              << "-9,75"
                              << "";
    QTest::newRow("above range, raised exponent") << 1234567.0 << "x10"
                                                  << "1,23x10"
                                                  << "6";
    QTest::newRow("at the lower threshold") << 0.000001 << "x10"
                                            << "0,000001"
                                            << "";
    QTest::newRow("below range, raised exponent") << 0.00000012 << "x10"
                                                  << "0,120x10"
                                                  << "-6";
    QTest::newRow("dot marker") << 0.00000012 << ".10"
                                << "0,120.10"
                                << "-6";
    QTest::newRow("E marker keeps its exponent") << 0.00000012 << "E"
                                                 << "0,120E-6"
                                                 << "";
}

void TstCharts::labelFormatter() {
    QFETCH(double, value);
    QFETCH(QString, marker);
    QFETCH(QString, v);
    QFETCH(QString, e);
    TNumberFormatSettings settings;
    settings.ExponentMarker = marker.toStdString();
    QString gotV = QStringLiteral("stale"), gotE;
    DistributionChart1Label(settings, value, gotV, gotE);
    QCOMPARE(gotV, v);
    QCOMPARE(gotE, e);
}

void TstCharts::picturesAndIcons() {
    using charts::TChartImage;
    QCOMPARE(charts::ChartPicture(TChartImage::CountsCaption).size(), QSize(11, 125));
    QCOMPARE(charts::ChartPicture(TChartImage::PercentCaption).size(), QSize(11, 125));
    QCOMPARE(charts::ChartPicture(TChartImage::MeanGlyph).size(), QSize(7, 12));
    QCOMPARE(charts::ChartPicture(TChartImage::MedianGlyph).size(), QSize(7, 12));
    for (int i = 0; i < kHistogramIconCount; ++i) {
        const QIcon icon = HistogramIcon(i);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes().value(0), QSize(16, 16));
    }
    QVERIFY(HistogramIcon(25).isNull());
}

void TstCharts::demoPictures() {
    const QString dir = qEnvironmentVariable("VORMID_CHART_PICTURES");
    for (int k = 0; k < kDistributionCount; ++k) {
        const QImage image = test::RenderDistributionDemo(static_cast<TDistribution>(k));
        QCOMPARE(image.size(), QSize(351, 194));
        if (!dir.isEmpty())
            QVERIFY(image.save(QDir(dir).filePath("distribution-" +
                                                  test::DistributionDemoName(static_cast<TDistribution>(k)) + ".png")));
    }
    // The toolbar's start-up state in both kinds of graph.
    const QImage histogram = test::RenderHistogramDemo("1121011000300");
    const QImage function = test::RenderHistogramDemo("1121011010300");
    QVERIFY(histogram != function);
    if (!dir.isEmpty()) {
        QVERIFY(histogram.save(QDir(dir).filePath("histogram.png")));
        QVERIFY(function.save(QDir(dir).filePath("histogram-distribution-function.png")));
        QVERIFY(test::RenderHistogramDemo("1121011002600").save(QDir(dir).filePath("histogram-labels.png")));
    }
}

QTEST_MAIN(TstCharts)
#include "charts_test.moc"
