// How stored texts become check-box states: the numeric prefix, rounding half to even, the
// 16-bit range and the three valid states.

#include <QtTest>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>

#include "setting_number.h"

using namespace tessaly;

namespace {

std::string_view View(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The error a conversion threw ("" when none), with its kind.
QString ErrorOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const std::overflow_error& e) {
        return QStringLiteral("overflow: ") + e.what();
    } catch (const std::invalid_argument& e) {
        return QStringLiteral("invalid: ") + e.what();
    }
    return QString();
}

const QString kOverflow = QStringLiteral("overflow: Overflow");
const QString kInvalid = QStringLiteral("invalid: Invalid property value");

}  // namespace

class TestSettingNumber : public QObject {
    Q_OBJECT

  private slots:
    void readsNumericPrefix_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("expected");

        QTest::newRow("empty") << QByteArray("") << 0.0;
        QTest::newRow("fraction") << QByteArray("1.6") << 1.6;
        QTest::newRow("leading zeros") << QByteArray("007") << 7.0;
        QTest::newRow("leading spaces") << QByteArray("   2") << 2.0;
        QTest::newRow("leading tab") << QByteArray("\t1") << 1.0;
        QTest::newRow("plus sign") << QByteArray("+2") << 2.0;
        QTest::newRow("minus sign") << QByteArray("-0.4") << -0.4;
        QTest::newRow("blank then minus") << QByteArray(" -12") << -12.0;
        QTest::newRow("point first") << QByteArray(".5") << 0.5;
        QTest::newRow("point last") << QByteArray("3.") << 3.0;
        QTest::newRow("minus point") << QByteArray("-.25") << -0.25;
        QTest::newRow("trailing letter") << QByteArray("1x") << 1.0;
        QTest::newRow("second point ends") << QByteArray("1.2.3") << 1.2;
        QTest::newRow("inner blank ends") << QByteArray("1 2") << 1.0;
        QTest::newRow("comma ends") << QByteArray("1,5") << 1.0;
        QTest::newRow("exponent ignored") << QByteArray("1e3") << 1.0;
        QTest::newRow("letters") << QByteArray("abc") << 0.0;
        QTest::newRow("lone point") << QByteArray(".") << 0.0;
        QTest::newRow("lone sign") << QByteArray("-") << 0.0;
        QTest::newRow("sign then blank") << QByteArray("- 1") << 0.0;
        QTest::newRow("newline is no blank") << QByteArray("\n1") << 0.0;
        QTest::newRow("infinity word") << QByteArray("inf") << 0.0;
        QTest::newRow("many digits")
            << QByteArray("123456789012345678901234567890") << 1.2345678901234568e29;
        QTest::newRow("tiny fraction")
            << (QByteArray("0.") + QByteArray(400, '0') + QByteArray("1")) << 0.0;
    }
    void readsNumericPrefix() {
        QFETCH(QByteArray, text);
        QFETCH(double, expected);
        QCOMPARE(ReadSettingNumber(View(text)), expected);
    }

    void roundsToInteger_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("error");

        QTest::newRow("zero") << 0.0 << 0 << QString();
        QTest::newRow("below half") << 1.4 << 1 << QString();
        QTest::newRow("above half") << 1.6 << 2 << QString();
        QTest::newRow("half to even down") << 2.5 << 2 << QString();
        QTest::newRow("half to even up") << 1.5 << 2 << QString();
        QTest::newRow("half to zero") << 0.5 << 0 << QString();
        QTest::newRow("three and half") << 3.5 << 4 << QString();
        QTest::newRow("negative half") << -0.5 << 0 << QString();
        QTest::newRow("negative small") << -0.4 << 0 << QString();
        QTest::newRow("negative half odd") << -1.5 << -2 << QString();
        QTest::newRow("negative half even") << -2.5 << -2 << QString();
        QTest::newRow("top") << 32767.0 << 32767 << QString();
        QTest::newRow("top plus fraction") << 32767.4 << 32767 << QString();
        QTest::newRow("top half rounds out") << 32767.5 << 0 << kOverflow;
        QTest::newRow("bottom") << -32768.0 << -32768 << QString();
        QTest::newRow("bottom half rounds in") << -32768.5 << -32768 << QString();
        QTest::newRow("below bottom") << -32768.6 << 0 << kOverflow;
        QTest::newRow("far above") << 99999.0 << 0 << kOverflow;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 0 << kOverflow;
        QTest::newRow("minus infinite")
            << -std::numeric_limits<double>::infinity() << 0 << kOverflow;
    }
    void roundsToInteger() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QFETCH(QString, error);
        int result = 0;
        QCOMPARE(ErrorOf([&] { result = SettingNumberToInteger(value); }), error);
        if (error.isEmpty()) QCOMPARE(result, expected);
    }

    void givesCheckBoxState_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("error");

        QTest::newRow("unticked") << QByteArray("0") << 0 << QString();
        QTest::newRow("greyed") << QByteArray("2") << 2 << QString();
        QTest::newRow("fraction to greyed") << QByteArray("1.6") << 2 << QString();
        QTest::newRow("half to even") << QByteArray("2.5") << 2 << QString();
        QTest::newRow("half to zero") << QByteArray("0.5") << 0 << QString();
        QTest::newRow("blank minus small") << QByteArray(" -0.4") << 0 << QString();
        QTest::newRow("missing") << QByteArray("") << 0 << QString();
        QTest::newRow("not a number") << QByteArray("abc") << 0 << QString();
        QTest::newRow("digit then letter") << QByteArray("1x") << 1 << QString();
        QTest::newRow("seven") << QByteArray("7") << 0 << kInvalid;
        QTest::newRow("rounds to three") << QByteArray("2.6") << 0 << kInvalid;
        QTest::newRow("minus one") << QByteArray("-1") << 0 << kInvalid;
        QTest::newRow("rounds to minus one") << QByteArray("-0.6") << 0 << kInvalid;
        QTest::newRow("largest 16 bit") << QByteArray("32767") << 0 << kInvalid;
        QTest::newRow("just above 16 bit") << QByteArray("32768") << 0 << kOverflow;
        QTest::newRow("just below 16 bit") << QByteArray("-32769") << 0 << kOverflow;
        QTest::newRow("far above 16 bit") << QByteArray("99999") << 0 << kOverflow;
        QTest::newRow("too many digits for a double") << QByteArray(400, '9') << 0 << kOverflow;
    }
    void givesCheckBoxState() {
        QFETCH(QByteArray, text);
        QFETCH(int, expected);
        QFETCH(QString, error);
        int result = -1;
        QCOMPARE(ErrorOf([&] { result = CheckBoxValueFromSetting(View(text)); }), error);
        if (error.isEmpty()) QCOMPARE(result, expected);
    }
};

QTEST_GUILESS_MAIN(TestSettingNumber)
#include "test_setting_number.moc"
