// Checks the fee formula evaluator: the grammar it accepts, what it refuses, and hostile input.
#include "formula/FormulaEvaluator.h"

#include <QTest>

#include <cmath>

namespace {

// The callers replace every C, either case, by the minutes as general number text.
QString withMinutes(QString formula, double minutes)
{
    const QString number = QString::number(minutes, 'g', 15);
    formula.replace(QLatin1Char('C'), number);
    formula.replace(QLatin1Char('c'), number);
    return formula;
}

// Every function once in upper, lower and mixed case.
void addFunctionNameRows()
{
    const struct {
        const char *name;
        const char *argument;
        double expected;
    } functions[] = {
        {"sqr", "9", 3.0},
        {"log", "100", std::log(100.0)},
        {"sin", "0.5", std::sin(0.5)},
        {"cos", "0.5", std::cos(0.5)},
        {"tan", "0.5", std::tan(0.5)},
        {"max", "1,2", 2.0},
        {"min", "1,2", 1.0},
        {"int", "-1.5", -2.0},
        {"fix", "-1.5", -1.0},
        {"round", "2.5", 3.0},
        {"abs", "-4", 4.0},
    };
    for (const auto &function : functions) {
        const QString lower = QString::fromLatin1(function.name);
        const QString mixed = lower.left(1).toUpper() + lower.mid(1);
        for (const QString &name : {lower.toUpper(), lower, mixed}) {
            QTest::addRow("name %s", qPrintable(name))
                << QStringLiteral("%1(%2)").arg(name, QString::fromLatin1(function.argument)) << function.expected;
        }
    }
}

} // namespace

class TestFormulaEvaluator : public QObject {
    Q_OBJECT

private slots:
    void evaluates_data();
    void evaluates();
    void feeFormulas_data();
    void feeFormulas();
    void fails_data();
    void fails();
    void zeroHasNoSign_data();
    void zeroHasNoSign();
    void lengthLimit();
    void noStateBetweenCalls();
    void everySingleCharacter();
    void deepNestingWithinLimit();
    void sameShapeNewNumbers();

private:
    FormulaEvaluator m_evaluator;
};

void TestFormulaEvaluator::evaluates_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<double>("expected");

    QTest::newRow("fee at 90 minutes") << "5*90/60" << 7.5;
    QTest::newRow("integer") << "42" << 42.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("point last") << "5." << 5.0;
    QTest::newRow("exponent upper") << "1.5E+20" << 1.5e20;
    QTest::newRow("exponent lower") << "1.5e+20" << 1.5e20;
    QTest::newRow("exponent unsigned") << "1.5E20" << 1.5e20;
    QTest::newRow("exponent negative") << "2.5E-3" << 0.0025;
    QTest::newRow("exponent in sum") << "1E+2+1" << 101.0;

    QTest::newRow("* before +") << "1+2*3" << 7.0;
    QTest::newRow("parentheses") << "(1+2)*3" << 9.0;
    QTest::newRow("- left to right") << "10-4-3" << 3.0;
    QTest::newRow("/ left to right") << "100/10/5" << 2.0;
    QTest::newRow("* and / left to right") << "12/3*2" << 8.0;
    QTest::newRow("^ right to left") << "2^3^2" << 512.0;
    QTest::newRow("^ before *") << "2*3^2" << 18.0;
    QTest::newRow("unary minus") << "-5" << -5.0;
    QTest::newRow("unary minus then +") << "-2+3" << 1.0;
    QTest::newRow("unary minus after ^") << "-2^2" << -4.0;
    QTest::newRow("unary minus before *") << "-2*3" << -6.0;
    QTest::newRow("unary minus in product") << "2*-3" << -6.0;
    QTest::newRow("negative exponent") << "2^-1" << 0.5;
    QTest::newRow("minus of parentheses") << "-(2+3)" << -5.0;
    QTest::newRow("negated square") << "(-2)^2" << 4.0;
    QTest::newRow("double minus") << "2--3" << 5.0;

    QTest::newRow("\\ truncates") << "7\\2" << 3.0;
    QTest::newRow("\\ negative dividend") << "-7\\2" << -3.0;
    QTest::newRow("\\ negative divisor") << "7\\-2" << -3.0;
    QTest::newRow("\\ both negative") << "-7\\-2" << 3.0;
    QTest::newRow("\\ half rounds down to even") << "2.5\\1" << 2.0;
    QTest::newRow("\\ half rounds up to even") << "3.5\\1" << 4.0;
    QTest::newRow("\\ negative half to even") << "-2.5\\1" << -2.0;
    QTest::newRow("\\ both operands rounded") << "7.5\\2.5" << 4.0;
    QTest::newRow("\\ rounds beyond half") << "7.6\\2.4" << 4.0;
    QTest::newRow("\\ after +") << "1+7\\2" << 4.0;
    QTest::newRow("\\ before +") << "7\\2+1" << 4.0;
    QTest::newRow("\\ before -") << "10\\3-1" << 2.0;
    QTest::newRow("\\ after *") << "7\\2*2" << 1.0;
    QTest::newRow("\\ after * on the left") << "2*7\\2" << 7.0;
    QTest::newRow("\\ after /") << "9\\6/2" << 3.0;
    QTest::newRow("\\ left to right") << "8\\3\\2" << 1.0;

    QTest::newRow("spaces around tokens") << " 5 * 90 / 60 " << 7.5;
    QTest::newRow("tabs") << "\t1+1\t" << 2.0;
    QTest::newRow("space before parenthesis") << "SQR (16)" << 4.0;
    QTest::newRow("spaces in argument list") << "MAX( 1 , 2 )" << 2.0;

    QTest::newRow("SQR") << "SQR(16)" << 4.0;
    QTest::newRow("LOG is natural") << "LOG(2.718281828459045)" << 1.0;
    QTest::newRow("SIN in radians") << "SIN(1.5707963267948966)" << 1.0;
    QTest::newRow("COS in radians") << "COS(3.141592653589793)" << -1.0;
    QTest::newRow("TAN in radians") << "TAN(0.7853981633974483)" << 1.0;
    QTest::newRow("MAX of three") << "MAX(1,5,3)" << 5.0;
    QTest::newRow("MAX of one") << "MAX(7)" << 7.0;
    QTest::newRow("MIN of three") << "MIN(4,2,8)" << 2.0;
    QTest::newRow("INT rounds down") << "INT(-2.5)" << -3.0;
    QTest::newRow("INT positive") << "INT(2.7)" << 2.0;
    QTest::newRow("FIX rounds toward zero") << "FIX(-2.7)" << -2.0;
    QTest::newRow("ROUND half up") << "ROUND(2.5)" << 3.0;
    QTest::newRow("ROUND half away from zero") << "ROUND(-2.5)" << -3.0;
    QTest::newRow("ABS") << "ABS(-3)" << 3.0;
    QTest::newRow("nested functions") << "MAX(SQR(16),ABS(-5))*2" << 10.0;
    QTest::newRow("function in power") << "SQR(4)^3" << 8.0;
    addFunctionNameRows();
}

void TestFormulaEvaluator::evaluates()
{
    QFETCH(QString, formula);
    QFETCH(double, expected);
    const std::optional<double> value = m_evaluator.Evaluate(formula);
    QVERIFY(value.has_value());
    QCOMPARE(*value, expected);
}

void TestFormulaEvaluator::feeFormulas_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("expected");

    QTest::newRow("per hour") << "5*C/60" << 90.0 << 7.5;
    QTest::newRow("per hour, lower-case c") << "3*c/60" << 90.0 << 4.5;
    QTest::newRow("per hour, fraction of a minute") << "5*C/60" << 0.01 << 5 * 0.01 / 60;
    QTest::newRow("started half hours, on the mark") << "-INT(-C/30)*2.5" << 90.0 << 7.5;
    QTest::newRow("started half hours, just past") << "-INT(-C/30)*2.5" << 90.01 << 10.0;
    QTest::newRow("started half hours, nothing used") << "-INT(-C/30)*2.5" << 0.0 << 0.0;
    QTest::newRow("minimum charge applies") << "MAX(5, 5*C/60)" << 30.0 << 5.0;
    QTest::newRow("minimum charge exceeded") << "MAX(5, 5*C/60)" << 90.0 << 7.5;
    QTest::newRow("rounded to cents") << "ROUND(5*C/60*100)/100" << 7.0 << 0.58;
    QTest::newRow("minutes in exponent form") << "5*C/60" << 1.5e20 << 1.25e19;
    QTest::newRow("scheme check with C = 1") << "C-1" << 1.0 << 0.0;
}

void TestFormulaEvaluator::feeFormulas()
{
    QFETCH(QString, formula);
    QFETCH(double, minutes);
    QFETCH(double, expected);
    const std::optional<double> value = m_evaluator.Evaluate(withMinutes(formula, minutes));
    QVERIFY(value.has_value());
    QCOMPARE(*value, expected);
}

void TestFormulaEvaluator::fails_data()
{
    QTest::addColumn<QString>("formula");

    // Names the evaluator does not know, including the library's own functions and constants.
    QTest::newRow("COS after C was replaced") << "1OS(1)";
    QTest::newRow("unreplaced C") << "5*C/60";
    QTest::newRow("variable") << "X";
    QTest::newRow("constant pi") << "_pi";
    QTest::newRow("constant name") << "PI";
    QTest::newRow("library function") << "exp(1)";
    QTest::newRow("library sum") << "sum(1,2)";
    QTest::newRow("function without parentheses") << "SQR 4";
    QTest::newRow("function name alone") << "SIN";
    QTest::newRow("hexadecimal") << "0x10";

    // Malformed text.
    QTest::newRow("empty") << "";
    QTest::newRow("blank") << "   ";
    QTest::newRow("tab only") << "\t";
    QTest::newRow("dangling operator") << "1+";
    QTest::newRow("leading binary operator") << "*2";
    QTest::newRow("unary plus") << "+2";
    QTest::newRow("open parenthesis") << "(1";
    QTest::newRow("close parenthesis") << "1)";
    QTest::newRow("empty parentheses") << "()";
    QTest::newRow("two numbers") << "1 2";
    QTest::newRow("two results") << "1,2";
    QTest::newRow("decimal comma") << "1,5";
    QTest::newRow("comma in parentheses") << "(1,2)";
    QTest::newRow("MAX without arguments") << "MAX()";
    QTest::newRow("missing argument") << "MAX(1,)";
    QTest::newRow("SQR without argument") << "SQR()";
    QTest::newRow("SQR with two arguments") << "SQR(4,9)";
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("point alone") << ".";
    QTest::newRow("exponent without digits") << "2E";
    QTest::newRow("exponent sign without digits") << "2E+";
    QTest::newRow("space inside number") << "1.5 E+20";
    QTest::newRow("space inside name") << "S QR(4)";

    // Operators and syntax the library has but formulas do not.
    QTest::newRow("ternary") << "1?2:3";
    QTest::newRow("comparison") << "1<2";
    QTest::newRow("equality") << "1==1";
    QTest::newRow("assignment") << "A=1";
    QTest::newRow("logical and") << "1&&1";
    QTest::newRow("string") << "\"s\"";
    QTest::newRow("percent") << "5%";
    QTest::newRow("full-width digits") << QStringLiteral("\uFF11+\uFF11");

    // Arithmetic faults, also where a later step would hide them.
    QTest::newRow("division by zero") << "1/0";
    QTest::newRow("zero by zero") << "0/0";
    QTest::newRow("hidden division by zero") << "1/(1/0)";
    QTest::newRow("division by zero under ^0") << "(1/0)^0";
    QTest::newRow("division by zero inside MAX") << "MAX(1/0,1)";
    QTest::newRow("\\ by zero") << "5\\0";
    QTest::newRow("\\ by a divisor rounding to zero") << "5\\0.5";
    QTest::newRow("zero to a negative power") << "0^-1";
    QTest::newRow("root of a negative number") << "SQR(-1)";
    QTest::newRow("logarithm of zero") << "LOG(0)";
    QTest::newRow("logarithm of a negative number") << "LOG(-1)";
    QTest::newRow("fractional power of a negative number") << "(-8)^(1/3)";
    QTest::newRow("literal beyond range") << "1E999";
    QTest::newRow("overflow") << "1E308*10";
    QTest::newRow("hidden overflow") << "1/(1E308*10)";
    QTest::newRow("power overflow") << "10^400";

    // Hostile input: none of it may crash or hang.
    QTest::newRow("1 MB of sums") << QStringLiteral("1+").repeated(512 * 1024);
    QTest::newRow("100,000 nested parentheses")
        << QString(100000, QLatin1Char('(')) + QLatin1Char('1') + QString(100000, QLatin1Char(')'));
    QTest::newRow("unbalanced parentheses within the limit") << QString(9999, QLatin1Char('('));
    QTest::newRow("minus signs within the limit") << QString(9999, QLatin1Char('-'));
    QTest::newRow("commas within the limit") << QStringLiteral("MAX(") + QStringLiteral("1,").repeated(4997);
    QTest::newRow("invalid UTF-8") << QString::fromUtf8("1+\xff\xfe\xc3(1)");
    QTest::newRow("lone surrogate") << QStringLiteral("1+") + QChar(0xD800);
    QTest::newRow("NUL inside") << QString::fromLatin1("1+1\0+1", 6);
}

void TestFormulaEvaluator::fails()
{
    QFETCH(QString, formula);
    const std::optional<double> value = m_evaluator.Evaluate(formula);
    QVERIFY2(!value.has_value(), qPrintable(QString::number(value.value_or(0), 'g', 17)));
}

void TestFormulaEvaluator::zeroHasNoSign_data()
{
    QTest::addColumn<QString>("formula");
    QTest::newRow("negated zero") << "-0";
    QTest::newRow("\\ toward zero from below") << "-2\\3";
    QTest::newRow("product with negative zero") << "-1*0";
}

void TestFormulaEvaluator::zeroHasNoSign()
{
    // A fee shown as "-0" would puzzle the operator.
    QFETCH(QString, formula);
    const std::optional<double> value = m_evaluator.Evaluate(formula);
    QCOMPARE(value, std::optional<double>(0.0));
    QVERIFY(!std::signbit(*value));
}

void TestFormulaEvaluator::lengthLimit()
{
    // "1+1+...+1" of exactly the longest accepted length, then one character more.
    const QString longest = QStringLiteral("1+").repeated(4999) + QLatin1Char('1') + QLatin1Char(' ');
    QCOMPARE(longest.size(), 10000);
    QCOMPARE(m_evaluator.Evaluate(longest), std::optional<double>(5000.0));
    QVERIFY(!m_evaluator.Evaluate(longest + QLatin1Char(' ')).has_value());
}

void TestFormulaEvaluator::noStateBetweenCalls()
{
    const QString formula = QStringLiteral("MAX(5, 5*90/60) + 7\\2");
    const std::optional<double> first = m_evaluator.Evaluate(formula);
    QCOMPARE(first, std::optional<double>(10.5));
    // Failures of every kind in between leave nothing behind.
    const QStringList others = {QStringLiteral("1/0"),    QStringLiteral("MAX(1,"), QStringLiteral("1,2"),
                                QStringLiteral("1OS(1)"), QStringLiteral("2*3"),    QString()};
    for (int round = 0; round < 50; ++round) {
        QVERIFY(!m_evaluator.Evaluate(others.at(round % others.size())).has_value() || round % others.size() == 4);
        QCOMPARE(m_evaluator.Evaluate(formula), first);
    }
    FormulaEvaluator other;
    QCOMPARE(other.Evaluate(formula), first);
}

void TestFormulaEvaluator::everySingleCharacter()
{
    // Every byte value alone, and inside an otherwise valid formula: only digits survive.
    for (int code = 0; code < 256; ++code) {
        const QString ch(QChar(static_cast<char16_t>(code)));
        const bool digit = code >= '0' && code <= '9';
        QCOMPARE(m_evaluator.Evaluate(ch).has_value(), digit);
        const std::optional<double> inside = m_evaluator.Evaluate(QStringLiteral("1+") + ch + QStringLiteral("+1"));
        QCOMPARE(inside.has_value(), digit);
    }
}

void TestFormulaEvaluator::deepNestingWithinLimit()
{
    const int depth = 4999;
    const QString parentheses = QString(depth, QLatin1Char('(')) + QLatin1Char('2') + QString(depth, QLatin1Char(')'));
    QCOMPARE(m_evaluator.Evaluate(parentheses), std::optional<double>(2.0));

    QString functions = QStringLiteral("1");
    for (int i = 0; i < 1000; ++i)
        functions = QStringLiteral("ABS(") + functions + QLatin1Char(')');
    QCOMPARE(m_evaluator.Evaluate(functions), std::optional<double>(1.0));

    const QString negations = QStringLiteral("-(").repeated(3001) + QLatin1Char('3') + QString(3001, QLatin1Char(')'));
    QCOMPARE(m_evaluator.Evaluate(negations), std::optional<double>(-3.0));
}

QTEST_GUILESS_MAIN(TestFormulaEvaluator)
#include "tst_FormulaEvaluator.moc"

// Formulas are remembered by their shape with the numbers taken out: every new set of numbers
// must give its own value, and texts the shape cache does not take still evaluate the same.
void TestFormulaEvaluator::sameShapeNewNumbers()
{
    for (int minutes = 0; minutes <= 1500; minutes += 7) {
        const double c = minutes + 0.25;
        QCOMPARE(m_evaluator.Evaluate(withMinutes(QStringLiteral("MAX(5, 5*C/60)"), c)),
                 std::optional<double>(std::max(5.0, 5 * c / 60)));
        QCOMPARE(m_evaluator.Evaluate(withMinutes(QStringLiteral("C\\60*4+2"), c)),
                 std::optional<double>(std::trunc(std::nearbyint(c) / 240) + 2)); // \\ binds looser than *
    }
    QCOMPARE(m_evaluator.Evaluate(QStringLiteral("1.5E+20/1E+20")), std::optional<double>(1.5));
    QCOMPARE(m_evaluator.Evaluate(QStringLiteral("3E+2/1E+2")), std::optional<double>(3.0));
    // A shape that failed once may still succeed with other numbers, and the reverse.
    QVERIFY(!m_evaluator.Evaluate(QStringLiteral("1/(2-2)")).has_value());
    QCOMPARE(m_evaluator.Evaluate(QStringLiteral("1/(4-2)")), std::optional<double>(0.5));
    QVERIFY(!m_evaluator.Evaluate(QStringLiteral("2E")).has_value());
    QVERIFY(!m_evaluator.Evaluate(QStringLiteral("2SQR(4)")).has_value());
    QVERIFY(!m_evaluator.Evaluate(QStringLiteral("SQR2(4)")).has_value());
    // Seventeen numbers: past what the cache holds, parsed directly.
    const QString many = QStringLiteral("1+").repeated(16) + QStringLiteral("1");
    QCOMPARE(m_evaluator.Evaluate(many), std::optional<double>(17.0));
}
