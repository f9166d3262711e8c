#include "systemcolors.h"
#include "tarvelo.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The window offscreen, at twice the pixel density of a classic screen
// (QT_SCALE_FACTOR=2, set where the test is registered).
class TestWindow : public QObject {
    Q_OBJECT
    Tarvelo m_window;

    QLineEdit* field(const char* name) { return m_window.findChild<QLineEdit*>(name); }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QApplication::setStyle("Fusion");
        m_window.show();
        QVERIFY(QTest::qWaitForWindowActive(&m_window));
    }

    // Tab goes from the real weight to Uscita, not to the ideal weight.
    void tabFollowsTheFormsFocusOrder()
    {
        QStringList order;
        for (int i = 0; i < 7; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, QStringList({"TxtPesoRe", "CmdUscita", "CmdCalcola", "CmdCancella",
                                     "TxtPesoId", "TxtTarvelo", "TxtPesoRe"}));
    }

    // An action is "real|ideal|button": the weights typed, then a click on the
    // button, or Enter and Esc in the ideal weight's field where none is named.
    // What is seen: each box that comes up, read and dismissed with its OK
    // button, then the three fields.
    void buttonsRunTheirCommands_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("seen");
        const QString warning =
            "Attenzione !!!: Il valore del Peso %1 deve essere maggiore di zero";
        QTest::newRow("Calcola writes the result")
            << "85.5|70|CmdCalcola" << QStringList{"85.5|70|76,2"};
        QTest::newRow("Calcola warns of both blank fields in order")
            << "||CmdCalcola" << QStringList{warning.arg("Reale"), warning.arg("Ideale"), "||0"};
        QTest::newRow("Enter and Esc in a field run no command")
            << "85.5|70|" << QStringList{"85.5|70|"};
        QTest::newRow("Cancella leaves one blank in each field")
            << "85.5|70|CmdCancella" << QStringList{" | | "};
    }

    void buttonsRunTheirCommands()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, seen);
        const QStringList typed = action.split('|');
        const QList<QLineEdit*> fields = {field("TxtPesoRe"), field("TxtPesoId"),
                                          field("TxtTarvelo")};
        for (int i = 0; i < 3; ++i) {
            fields[i]->clear();
            QTest::keyClicks(fields[i], typed[i]);
        }
        QStringList shown;
        QTimer dismiss;
        connect(&dismiss, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown << box->windowTitle() + ": " + box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        dismiss.start(10);
        if (typed[2].isEmpty()) {
            QTest::keyClick(fields[1], Qt::Key_Return);
            QTest::keyClick(fields[1], Qt::Key_Escape);
        } else {
            QTest::mouseClick(m_window.findChild<QPushButton*>(typed[2]), Qt::LeftButton);
        }
        shown << fields[0]->text() + '|' + fields[1]->text() + '|' + fields[2]->text();
        QCOMPARE(shown, seen);
    }

    // Forced larger, the window keeps the form whole in its middle; restored,
    // it asks for its fixed size again, so that the desktop offers no maximize.
    void maximizedWindowCentresTheFormAndIsFixedOnceRestored()
    {
        if (QGuiApplication::platformName() == "windows")
            QSKIP("Windows keeps a window of fixed size at that size");
        const QPoint at = field("TxtPesoRe")->pos();
        m_window.setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(m_window.width() > m_window.minimumWidth());
        const QSize spare = (m_window.size() - m_window.minimumSize()).expandedTo(QSize(0, 0));
        QCOMPARE(field("TxtPesoRe")->pos() - at, QPoint(spare.width() / 2, spare.height() / 2));
        m_window.setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(m_window.size(), m_window.minimumSize());
        QCOMPARE(m_window.maximumSize(), m_window.minimumSize());
    }

    void fieldsTakeTextOfAnyLength()
    {
        const QString pasted(100'000, '7');
        for (QLineEdit* field : m_window.findChildren<QLineEdit*>()) {
            field->setText(pasted);
            QCOMPARE(field->text(), pasted);
        }
    }

    void captionsStayReadableWhenTheDesktopTurnsDark()
    {
        const QColor dark(0x35, 0x35, 0x35);
        QApplication::setPalette(QPalette(dark, dark));
        QTRY_COMPARE(m_window.palette().color(QPalette::Window), dark);
        int captions = 0;
        for (QWidget* caption : m_window.findChildren<QWidget*>()) {
            if (!caption->property("systemTextColor").isValid())
                continue;
            ++captions;
            const QColor text = caption->palette().color(QPalette::WindowText);
            QVERIFY2(contrastRatio(text, dark) >= 3.0, qPrintable(caption->objectName()));
        }
        QCOMPARE(captions, 15);
    }

    // Drawn from the 64-pixel image, not from the 32-pixel one scaled up.
    void iconIsSharpAtTwiceTheDensity()
    {
        QTRY_VERIFY(m_window.windowIcon().availableSizes().contains(QSize(64, 64)));
        QImage shown = m_window.windowIcon().pixmap(QSize(32, 32), 2.0).toImage();
        shown.setDevicePixelRatio(1.0);
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
                 QImage(":/tarvelo-64.png").convertToFormat(QImage::Format_ARGB32));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
