#include "charts/Histogram.h"

#include <algorithm>
#include <QPainter>
#include <QSettings>
#include <utility>

#include "charts/ChartPainter.h"
#include "charts/HistogramData.h"
#include "charts/HistogramLayout.h"

namespace vormid {

namespace {
constexpr const char* kOptionsKey = "Software/Kestrane/Histogram/";
const QString kNoData = QStringLiteral("{ Няма данни }");

bool OneOf(int index, std::initializer_list<int> indices) {
    return std::find(indices.begin(), indices.end(), index) != indices.end();
}
}  // namespace

THistImg::THistImg(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void THistImg::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void THistImg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, picture_);
}

THistogram::THistogram(QWidget* parent) : QFrame(parent), img_(new THistImg(this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    img_->hide();
    img_->setGeometry(contentsRect());
    offscreen_ = QImage(1024, 768, QImage::Format_RGB32);
    offscreen_.fill(Qt::white);
}

THistogram::~THistogram() { SaveOptions(); }

QString THistogram::ValueName() const { return registryKey_ == TRegKey::Custom ? regCustomKey_ : QString(); }

void THistogram::SetRegistryKey(TRegKey key) {
    if (std::exchange(registryKey_, key) != key && !ValueName().isEmpty()) LoadOptions();
}

void THistogram::SetRegCustomKey(const QString& name) {
    if (std::exchange(regCustomKey_, name) != name && !ValueName().isEmpty()) LoadOptions();
}

static std::unique_ptr<QSettings> OpenOptionsFile(const QString& path) {
    if (!path.isEmpty()) return std::make_unique<QSettings>(path, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kestrane"),
                                       QStringLiteral("Vormid"));
}

void THistogram::LoadOptions() {
    const QString name = ValueName();
    if (name.isEmpty()) return;
    auto settings = OpenOptionsFile(settingsFile_);
    const QVariant v = settings->value(QLatin1String(kOptionsKey) + name);
    // A first run has nothing stored: it starts from the default set.
    const std::string text = v.isValid() ? v.toString().toStdString() : charts::kDefaultHistogramOptions;
    charts::ParseHistogramOptions(text, options_);
    Render();
}

void THistogram::SaveOptions() const {
    const QString name = ValueName();
    if (name.isEmpty()) return;
    auto settings = OpenOptionsFile(settingsFile_);
    settings->setValue(QLatin1String(kOptionsKey) + name,
                       QString::fromStdString(charts::FormatHistogramOptions(options_)));
    settings->sync();  // a failed write is ignored: the options are only a convenience
}

int THistogram::GetOption(int index, int def) const {
    if (index < 0 || index >= charts::kHistogramOptionCount) return def;
    return options_.Get(index);
}

void THistogram::SetBoolOption(int index, bool value) {
    if (OneOf(index, {0, 1, 5, 6, 7, 11, 12})) options_.Values[static_cast<std::size_t>(index)] = value ? 1 : 0;
    Render();
}

void THistogram::SetIntOption(int index, int value) {
    // One digit each in the stored string.
    if (OneOf(index, {2, 3, 4, 8, 9, 10, 11}))
        options_.Values[static_cast<std::size_t>(index)] = std::clamp(value, 0, 9);
    Render();
}

void THistogram::SetData(const SeriesStatistics& stats) {
    data_ = std::make_unique<charts::THistogramData>(charts::CopyHistogramData(stats));
    hasData_ = true;
    setToolTip(QString());
    img_->show();
    Render();
    update();
}

void THistogram::SetData(const SeriesStatistics* stats) {
    if (stats) {
        SetData(*stats);
        return;
    }
    hasData_ = false;
}

void THistogram::ClearData() {
    data_.reset();
    hasData_ = false;
    offscreen_.fill(Qt::white);
    img_->SetPicture(QImage());
    img_->hide();
    update();
}

const QImage& THistogram::Picture() const { return img_->Picture(); }

void THistogram::Render() {
    if (!hasData_ || !data_) return;
    const QSize size = contentsRect().size();
    if (size.isEmpty()) return;
    if (offscreen_.size() != size) offscreen_ = QImage(size, QImage::Format_RGB32);
    QFont font = this->font();
    font.setPointSize(8);
    charts::THistogramColors colors;
    const QColor title = palette().color(QPalette::Active, QPalette::Highlight);
    const QColor tip = palette().color(QPalette::ToolTipBase);
    colors.TitleBar = {static_cast<std::uint8_t>(title.red()), static_cast<std::uint8_t>(title.green()),
                       static_cast<std::uint8_t>(title.blue())};
    colors.ToolTip = {static_cast<std::uint8_t>(tip.red()), static_cast<std::uint8_t>(tip.green()),
                      static_cast<std::uint8_t>(tip.blue())};
    try {
        const charts::TDrawList ops =
            charts::RenderHistogram(*data_, options_, size.width(), size.height(), charts::FontTextWidth(font), colors);
        QPainter painter(&offscreen_);
        charts::PaintDrawList(painter, ops, font);
    } catch (const std::exception&) {
        return;  // an abandoned render keeps the previous picture
    }
    img_->SetPicture(offscreen_);
}

void THistogram::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (hasData_) return;
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawText(contentsRect(), Qt::AlignCenter, kNoData);
}

void THistogram::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    img_->setGeometry(contentsRect());
    Render();
}

}  // namespace vormid
