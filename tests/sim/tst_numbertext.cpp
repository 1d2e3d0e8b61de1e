// SPDX-License-Identifier: GPL-3.0-or-later
// The number texts: the decimal-comma parsing rule, the whole-number conversion, integers, the
// table's patterns with their halves away from zero and the general format; the short texts of
// the fields and a reading kept with its text.
#include <QtTest>

#include <limits>
#include <string>

#include "base/RoundEven.h"
#include "sim/NumberText.h"

using namespace sim;

class TestNumberText : public QObject {
  Q_OBJECT
 private slots:
  void parseFloat_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<double>("value");
    QTest::newRow("comma") << "14000,6" << true << 14000.6;
    QTest::newRow("blanks around") << "  9,81 " << true << 9.81;
    QTest::newRow("sign") << "-12,5" << true << -12.5;
    QTest::newRow("plus") << "+3" << true << 3.0;
    QTest::newRow("leading comma") << ",5" << true << 0.5;
    QTest::newRow("exponent") << "1,5E3" << true << 1500.0;
    QTest::newRow("decimal point") << "14000.5" << false << 0.0;
    QTest::newRow("thousands separator") << "14.000" << false << 0.0;
    QTest::newRow("inner blank") << "14 000" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("hexadecimal") << "0x1F" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("beyond double") << "1E400" << false << 0.0;
    QTest::newRow("exponent without digits") << "2E" << false << 0.0;
    QTest::newRow("two signs") << "--1" << false << 0.0;
    // Any length that is a number reads as that number.
    QTest::newRow("64 characters") << "14000," + QString(58, '0') << true << 14000.0;
    QTest::newRow("65 characters") << "14000," + QString(59, '0') << true << 14000.0;
    QTest::newRow("long with blanks and exponent")
        << "  +" + QString(300, '0') + "1,5" + QString(200, '0') + "E2 " << true << 150.0;
    QTest::newRow("long, not a number") << QString(100, '1') + "x" << false << 0.0;
  }
  void parseFloat() {
    QFETCH(QString, text);
    QFETCH(bool, reads);
    QFETCH(double, value);
    const std::string utf8 = text.toStdString();
    QCOMPARE(ReadFloat(utf8).has_value(), reads);
    QCOMPARE(ParseFloat(utf8), value);
  }

  void parseInt32_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "20200" << 20200;
    QTest::newRow("blanks") << " -7 " << -7;
    QTest::newRow("max") << "2147483647" << 2147483647;
    QTest::newRow("min") << "-2147483648" << int(-2147483647 - 1);
    QTest::newRow("one past max") << "2147483648" << 0;
    QTest::newRow("one past min") << "-2147483649" << 0;
    QTest::newRow("comma") << "12,0" << 0;
    QTest::newRow("hexadecimal") << "$1F" << 0;
    QTest::newRow("letters") << "Crashed" << 0;
    QTest::newRow("plus") << "+5" << 5;
    QTest::newRow("plus and minus") << "+-5" << 0;
    QTest::newRow("two minus signs") << "--5" << 0;
    QTest::newRow("sign alone") << "+" << 0;
  }
  void parseInt32() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(ParseInt32(text.toStdString()), value);
  }

  // The speed and altitude fields: parsed, rounded half to even, written as integer text.
  void normalisedInput_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::newRow("up") << "14000,6"
                        << "14001";
    QTest::newRow("half to even down") << "14000,5"
                                       << "14000";
    QTest::newRow("half to even up") << "14001,5"
                                     << "14002";
    QTest::newRow("decimal point") << "14000.5"
                                   << "0";
    QTest::newRow("thousands") << "14.000"
                               << "0";
    QTest::newRow("letters") << "abc"
                             << "0";
    QTest::newRow("negative half") << "-2,5"
                                   << "-2";
  }
  void normalisedInput() {
    QFETCH(QString, text);
    QFETCH(QString, written);
    NumberBuffer buffer;
    const auto whole = ToWholeNumber(base::RoundEven(ParseFloat(text.toStdString())));
    QVERIFY(whole.has_value());
    QCOMPARE(QString::fromStdString(std::string(FormatInteger(*whole, buffer))), written);
  }

  void wholeNumberFit() {
    QCOMPARE(ToWholeNumber(9223372036854774784.0),
             std::optional<std::int64_t>(9223372036854774784));
    QCOMPARE(ToWholeNumber(-9223372036854775808.0).value(),
             std::numeric_limits<std::int64_t>::min());
    QVERIFY(!ToWholeNumber(9223372036854775808.0));
    QVERIFY(!ToWholeNumber(1e300));
    QVERIFY(!ToWholeNumber(std::nan("")));
  }

  // Integers: the eight-digit words and the two-digit loop beyond them, both signs, both ends.
  void integers() {
    const std::int64_t values[] = {0,
                                   7,
                                   -7,
                                   10,
                                   99,
                                   100,
                                   -100,
                                   9999,
                                   10000,
                                   10099,
                                   1000000,
                                   1234567,
                                   5050505,
                                   12345678,
                                   -99999999,
                                   100000000,
                                   2147483647,
                                   -2147483648,
                                   1000000007,
                                   -1000000000000,
                                   std::numeric_limits<std::int64_t>::max(),
                                   std::numeric_limits<std::int64_t>::min()};
    for (const std::int64_t value : values) {
      NumberBuffer buffer;
      QCOMPARE(std::string(FormatInteger(value, buffer)), std::to_string(value));
    }
    // Every value below 10^8 in strides that meet every digit in every place.
    for (std::int64_t value = 0; value < 100000000; value += 9901) {
      NumberBuffer buffer;
      QCOMPARE(std::string(FormatInteger(value, buffer)), std::to_string(value));
    }
  }

  // Short texts compared and copied in words: every length up to past the word sizes, equal and
  // differing at each position, so that no piece is left out or read beyond its text.
  void shortTexts() {
    const std::string source = "0123456789abcdefghijkl";
    for (std::size_t n = 0; n <= 20; ++n) {
      const std::string text = source.substr(0, n);
      std::string copy(n, '-');
      CopyText(copy.data(), text);
      QCOMPARE(copy, text);
      QVERIFY(SameText(copy, text));
      for (std::size_t i = 0; i < n; ++i) {
        std::string other = text;
        other[i] = '#';
        QVERIFY2(!SameText(other, text), qPrintable(QString::fromStdString(other)));
      }
      QVERIFY(!SameText(text, source.substr(0, n + 1)));
    }
  }

  // The reading kept with its text: the same characters give the same number; a changed text,
  // of whatever length, is read anew (an empty one after a long one reads as nothing).
  void rememberedNumber() {
    RememberedNumber<double, ReadFloat> gravity;
    QCOMPARE(gravity.Read("9,81"), std::optional<double>(9.81));
    QCOMPARE(gravity.Read("9,81"), std::optional<double>(9.81));
    QCOMPARE(gravity.Read("1,62"), std::optional<double>(1.62));
    const std::string longText = "9,8100000000000000000000000000000000";
    QCOMPARE(gravity.Read(longText), std::optional<double>(9.81));
    QCOMPARE(gravity.Read("1,62" + longText.substr(4)), std::optional<double>(1.62));
    QCOMPARE(gravity.Read(""), std::optional<double>());
  }

  void patterns_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("whole");
    QTest::addColumn<QString>("thousandths");
    QTest::newRow("exact half") << 2.5 << "3"
                                << "2,500";
    QTest::newRow("exact half negative") << -2.5 << "-3"
                                         << "-2,500";
    QTest::newRow("half of a thousandth") << 1.0625 << "1"
                                          << "1,063";
    QTest::newRow("half of a thousandth negative") << -1.0625 << "-1"
                                                   << "-1,063";
    QTest::newRow("small half") << 0.0625 << "0"
                                << "0,063";
    QTest::newRow("below half") << 0.56398612370587 << "1"
                                << "0,564";
    QTest::newRow("rounds to zero") << -0.0004 << "0"
                                    << "0,000";
    QTest::newRow("zero") << 0.0 << "0"
                          << "0,000";
    QTest::newRow("large") << 1989085.4 << "1989085"
                           << "1989085,400";
    QTest::newRow("beyond 64 bits") << 1e20 << "100000000000000000000"
                                    << "100000000000000000000,000";
  }
  void patterns() {
    QFETCH(double, value);
    QFETCH(QString, whole);
    QFETCH(QString, thousandths);
    NumberBuffer buffer;
    QCOMPARE(QString::fromStdString(std::string(FormatWhole(value, buffer))), whole);
    QCOMPARE(QString::fromStdString(std::string(FormatThousandths(value, buffer))), thousandths);
  }

  void generalFormatAndSentinel() {
    NumberBuffer buffer;
    QCOMPARE(std::string(FormatGeneral15(-123.45, buffer)), std::string("-123,45"));
    QCOMPARE(std::string(FormatGeneral15(9.81, buffer)), std::string("9,81"));
    QVERIFY(IsAltOffsetSentinel(-123.45));
    // Any value that prints as "-123,45" at 15 digits still counts; one digit further does not.
    QVERIFY(IsAltOffsetSentinel(-123.45 + 1e-13));
    QVERIFY(!IsAltOffsetSentinel(-123.45 + 1e-11));
    QVERIFY(!IsAltOffsetSentinel(-3.6e-12));
    QVERIFY(!IsAltOffsetSentinel(std::nan("")));
  }

  void roundEven() {
    QCOMPARE(base::RoundEven(524.5), 524.0);
    QCOMPARE(base::RoundEven(525.5), 526.0);
    QCOMPARE(base::RoundEven(-0.5), -0.0);
    QCOMPARE(base::RoundEvenInt(std::nan("")), std::numeric_limits<std::int32_t>::min());
    QCOMPARE(base::RoundEvenInt(1e12), std::numeric_limits<std::int32_t>::max());
    QCOMPARE(base::RoundEvenInt(-1e12), std::numeric_limits<std::int32_t>::min());
  }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
