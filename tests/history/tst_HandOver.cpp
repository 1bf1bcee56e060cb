// The hand-over as the operator does it: the dialog begins a shift, and the cash-up handed to the
// report component holds the shift's bills and the customers still seated, with their totals.

#include "FakeWallClock.h"
#include "RecordingReportPrinter.h"
#include "history/HandOverDialog.h"
#include "history/ShiftHandOver.h"
#include "history/TakingsReports.h"
#include "timing/DayLedger.h"
#include "timing/ModClock.h"
#include "timing/ShiftRecord.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
// The row of the cash-up's table that begins with label.
QStringList rowOf(const ReportDocument &d, const QString &label)
{
    const qsizetype width = d.headings.size();
    for (qsizetype k = 0; k + width <= d.cells.size(); k += width)
        if (d.cells[k].toString() == label) {
            QStringList row;
            for (qsizetype c = 0; c < width; ++c)
                row << d.cells[k + c].toString();
            return row;
        }
    return {};
}
} // namespace

class TestHandOver : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aCashUpHoldsTheShiftsBillsAndTheSeatsStillOpen()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        FakeWallClock clock(QDateTime(QDate(2026, 12, 7), QTime(8, 0)));
        ModClock state;
        ledger.follow(state);
        ShiftRecord shifts(ledger, clock);
        RecordingReportPrinter *printer = nullptr;
        ShiftHandOver command(shifts, ledger, &state, clock, [&printer] {
            auto p = std::make_unique<RecordingReportPrinter>();
            printer = p.get();
            return std::unique_ptr<ReportPrinter>(std::move(p));
        });

        // Nobody is on duty: the dialog asks who begins, and refuses nobody.
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<HandOverDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("上班"));
            static_cast<QDialog *>(dialog)->accept(); // as OK does
            QVERIFY(dialog->isVisible());
            dialog->nameBox()->setText(QStringLiteral("张三"));
            static_cast<QDialog *>(dialog)->accept(); // as OK does
        });
        command.run(nullptr);
        QVERIFY(shifts.current());
        QCOMPARE(shifts.current()->operatorName, QStringLiteral("张三"));

        state.add({QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, clock.now());
        ledger.left(ItemBill {QStringLiteral("PC2"), QStringLiteral("5*C/60"), 30, 2.5, {}, {}, {},
                              {{QStringLiteral("可乐"), 3.5, 2}}},
                    LeaveHow::Ended, clock.now().addSecs(1800));
        clock.advanceSecs(2 * 3600);
        QVERIFY(command.handOver(QStringLiteral("李四"), false));
        QCOMPARE(shifts.current()->operatorName, QStringLiteral("李四"));

        QVERIFY(printer);
        const ReportDocument &d = printer->last();
        QCOMPARE(d.title, TakingsReports::shiftTitle());
        QVERIFY(d.preview);
        QCOMPARE(d.firstBlock, (QVariantList {QStringLiteral("操作员:"), QStringLiteral("张三")}));
        QCOMPARE(rowOf(d, QStringLiteral("PC2")).last(), QStringLiteral("9.50"));
        QCOMPARE(rowOf(d, QStringLiteral("已结算合计")).last(), QStringLiteral("9.50"));
        QCOMPARE(rowOf(d, QStringLiteral("未结算合计")).last(), QStringLiteral("10.00")); // PC1, two hours
        QCOMPARE(rowOf(d, QStringLiteral("合计")).last(), QStringLiteral("19.50"));
    }
};

QTEST_MAIN(TestHandOver)
#include "tst_HandOver.moc"
