// The value-format settings dialog driven through its controls.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <cmath>

#include "ui/dialogs/TfrmSettings.h"

using namespace vormid;

class TestTfrmSettings : public QObject {
    Q_OBJECT
    template <class T>
    static T* Child(QObject& d, const char* name) {
        T* w = d.findChild<T*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    static QString Tail(const QLabel* l) { return l->text().section(QLatin1Char(' '), -1); }

private slots:
    void liveLabels_data() {
        QTest::addColumn<int>("exponent");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::newRow("zero gives 1") << 0 << "1"
                                      << "1";
        QTest::newRow("three") << 3 << "0.001"
                               << "1000";
        QTest::newRow("nine is the largest") << 9 << "0.000000001"
                                             << "1000000000";
    }
    void liveLabels() {
        QFETCH(int, exponent);
        QFETCH(QString, low);
        QFETCH(QString, high);
        TfrmSettings d(TNumberFormatSettings{});
        Child<QSpinBox>(d, "seMin")->setValue(exponent);
        Child<QSpinBox>(d, "seMax")->setValue(exponent);
        QCOMPARE(Tail(Child<QLabel>(d, "lblMin")), low);
        QCOMPARE(Tail(Child<QLabel>(d, "lblMax")), high);
        QVERIFY(Child<QLabel>(d, "lblMin")->text().startsWith(QStringLiteral("Стойности < 10E-") + QString(17, ' ')));
        QVERIFY(Child<QLabel>(d, "lblMax")->text().startsWith(QStringLiteral("Стойности > 10E") + QString(18, ' ')));
    }

    // OK with untouched controls gives back what was stored, to the bit, so
    // that the model is not marked modified.
    void untouchedControlsKeepTheStoredSettings_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<int>("highExponent");
        QTest::addColumn<int>("digits");
        QTest::newRow("defaults") << 1e-6 << 6 << 3;
        QTest::newRow("threshold a hair off the power") << std::nextafter(1e-6, 1.0) << 6 << 3;
        QTest::newRow("exponent beyond the box") << 1e-6 << 12 << 3;
        QTest::newRow("digits beyond the box") << 1e-6 << 6 << 30;
    }
    void untouchedControlsKeepTheStoredSettings() {
        QFETCH(double, low);
        QFETCH(int, highExponent);
        QFETCH(int, digits);
        TNumberFormatSettings stored;
        stored.LowThreshold = low;
        stored.HighExponent = highExponent;
        stored.DefaultSignificantDigits = digits;
        TfrmSettings d(stored);
        QVERIFY(d.Settings() == stored);
    }

    void okStoresEveryControlAndThresholds() {
        TfrmSettings d(TNumberFormatSettings{});
        Child<QSpinBox>(d, "seCMN")->setValue(5);
        Child<QSpinBox>(d, "seMin")->setValue(3);
        Child<QSpinBox>(d, "seMax")->setValue(12);  // refused above 9
        Child<QComboBox>(d, "cbEForm")->setCurrentIndex(2);
        Child<QLineEdit>(d, "edRes")->setText("0.##");
        Child<QCheckBox>(d, "cbRes")->setChecked(false);
        Child<QLineEdit>(d, "edRU")->setText("0.0");
        Child<QCheckBox>(d, "cbRU")->setChecked(false);
        const TNumberFormatSettings s = d.Settings();
        QCOMPARE(s.DefaultSignificantDigits, 5);
        QCOMPARE(s.LowExponent, 3);
        QCOMPARE(s.LowThreshold, 1e-3);
        QCOMPARE(s.HighExponent, 9);
        QCOMPARE(s.HighThreshold, 1000000000LL);
        QCOMPARE(s.ExponentMarker, std::string("E"));
        QCOMPARE(s.DefaultValueFormat, std::string("0.##"));
        QVERIFY(!s.DefaultValueExp);
        QCOMPARE(s.DefaultUncertaintyFormat, std::string("0.0"));
        QVERIFY(!s.DefaultUncertaintyExp);
    }

    void cancelChangesNothing() {
        TNumberFormatSettings s;
        s.ExponentMarker = ".10";
        const TNumberFormatSettings before = s;
        QTimer::singleShot(0, [] {
            auto* d = qobject_cast<TfrmSettings*>(QApplication::activeModalWidget());
            QVERIFY(d);
            Child<QSpinBox>(*d, "seCMN")->setValue(7);
            Child<QSpinBox>(*d, "seMin")->setValue(1);
            Child<QComboBox>(*d, "cbEForm")->setCurrentIndex(0);
            Child<QLineEdit>(*d, "edRes")->setText("0");
            Child<QPushButton>(*d, "btnCancel")->click();
        });
        TMonteCarloSettings mc;
        QVERIFY(!TfrmSettings::Edit(s, mc, nullptr));
        QCOMPARE(s.ExponentMarker, before.ExponentMarker);
        QCOMPARE(s.DefaultSignificantDigits, before.DefaultSignificantDigits);
        QCOMPARE(s.LowExponent, before.LowExponent);
        QCOMPARE(s.DefaultValueFormat, before.DefaultValueFormat);
    }

    void okThroughTheButton() {
        TNumberFormatSettings s;
        QTimer::singleShot(0, [] {
            auto* d = qobject_cast<TfrmSettings*>(QApplication::activeModalWidget());
            QVERIFY(d);
            Child<QSpinBox>(*d, "seMin")->setValue(2);
            Child<QPushButton>(*d, "btnOK")->click();
        });
        TMonteCarloSettings mc;
        QVERIFY(TfrmSettings::Edit(s, mc, nullptr));
        QCOMPARE(s.LowExponent, 2);
    }

    void unknownMarkerShowsOnlyTheMantissaAndIsKept() {
        TNumberFormatSettings s;
        s.ExponentMarker = "##";
        TfrmSettings d(s);
        QCOMPARE(Child<QComboBox>(d, "cbEForm")->currentIndex(), -1);
        QCOMPARE(Child<QLabel>(d, "XLabel1")->text(), QStringLiteral("1.23"));
        QCOMPARE(d.Settings().ExponentMarker, std::string("##"));
        Child<QComboBox>(d, "cbEForm")->setCurrentIndex(0);
        QCOMPARE(Child<QLabel>(d, "XLabel1")->text(), QStringLiteral("1.23x10<sup>-6</sup>"));
        Child<QComboBox>(d, "cbEForm")->setCurrentIndex(2);
        QCOMPARE(Child<QLabel>(d, "XLabel1")->text(), QStringLiteral("1.23E-6"));
    }
};

QTEST_MAIN(TestTfrmSettings)
#include "tfrm_settings_test.moc"
