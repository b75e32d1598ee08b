// The views the QML page reads instead of the cells: screen text with
// password fields blanked, input-field segments, hotspots, the theme
// colours and the visible-cell count.
#include <QClipboard>
#include <QGuiApplication>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "codec/ebcdiccodec.h"

namespace {

void writeText(TerminalScreen &screen, int row, int column, const QString &text)
{
    screen.setDisplayAddress(row, column);
    const QByteArray bytes = EbcdicCodec::encode(text);
    for (char byte : bytes)
        screen.writeByte(static_cast<unsigned char>(byte));
}

// Defines a field whose attribute byte sits at the 1-based address, so the
// field's data begins one cell later.
void defineField(TerminalScreen &screen, int row, int column, int length,
                 unsigned char attribute = 0x24, unsigned char ffwHigh = 0x40)
{
    screen.setDisplayAddress(row, column);
    screen.startField(true, ffwHigh, 0x00, QVector<unsigned short>(), attribute, length);
}

QVariantMap segment(int row, int column, int length, bool nondisplay)
{
    QVariantMap map;
    map.insert(QStringLiteral("row"), row);
    map.insert(QStringLiteral("column"), column);
    map.insert(QStringLiteral("length"), length);
    map.insert(QStringLiteral("nondisplay"), nondisplay);
    return map;
}

// "kind:value@column+length", compact enough to compare whole lists.
QString describeHotspots(const QVariantList &hotspots)
{
    QStringList parts;
    for (const QVariant &entry : hotspots) {
        const QVariantMap map = entry.toMap();
        parts << QStringLiteral("%1:%2@%3,%4+%5")
                     .arg(map.value(QStringLiteral("kind")).toString(),
                          map.value(QStringLiteral("value")).toString())
                     .arg(map.value(QStringLiteral("row")).toInt())
                     .arg(map.value(QStringLiteral("column")).toInt())
                     .arg(map.value(QStringLiteral("length")).toInt());
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestScreenViews : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void hotspots_data();
    void hotspots();
    void hotspotValueTypes();
    void hotspotsFollowScreenRows();
    void hotspotsDisabled();
    void viewsFollowChanges_data();
    void viewsFollowChanges();
    void inputFieldSegments_data();
    void inputFieldSegments();
    void segmentsCutAtScreenEnd_data();
    void segmentsCutAtScreenEnd();
    void nondisplayFieldBlankedInText();
    void copyScreenRedactsAndReports();
    void visibleCellCount_data();
    void visibleCellCount();
    void themeColors_data();
    void themeColors();

private:
    // Setters persist what they change; each test starts from a settings
    // location of its own so that no value leaks into the next one.
    QScopedPointer<QTemporaryDir> m_configHome;
    Tn5250Client *m_client = nullptr;
    TerminalScreen &screen() { return ClientProbe(*m_client).screen(); }
};

void TestScreenViews::init()
{
    m_configHome.reset(new QTemporaryDir);
    QVERIFY(m_configHome->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome->path()));
    EbcdicCodec::setCodePage(37);
    m_client = new Tn5250Client;
    screen().resize(24, 80);
}

void TestScreenViews::cleanup()
{
    delete m_client;
    m_client = nullptr;
    m_configHome.reset();
}

void TestScreenViews::hotspots_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("F3=Exit") << "F3=Exit" << "function:3@1,1+3";
    QTest::newRow("blank before the equals sign") << "F12 =Cancel" << "function:12@1,1+5";
    QTest::newRow("F24 is the last key") << "F24=More keys" << "function:24@1,1+4";
    QTest::newRow("F25 does not exist") << "F25=Nothing" << "";
    QTest::newRow("F0 does not exist") << "F0=Nothing" << "";
    QTest::newRow("lower case f5") << "f5=Refresh" << "function:5@1,1+3";
    QTest::newRow("no word boundary before F") << "XF3=Exit" << "";
    QTest::newRow("without equals sign") << "Press F3 to exit" << "";
    QTest::newRow("several keys on a line")
        << "  F3=Exit   F5=Refresh   F12=Cancel"
        << "function:3@1,3+3 function:5@1,13+3 function:12@1,26+4";
    QTest::newRow("address ends before a blank")
        << "See http://example.com/a b" << "url:http://example.com/a@1,5+20";
    QTest::newRow("address in angle brackets")
        << "<https://ibm.example/doc>" << "url:https://ibm.example/doc@1,2+23";
    QTest::newRow("address ends before greater-than")
        << "https://a.example>x" << "url:https://a.example@1,1+17";
    QTest::newRow("upper-case scheme") << "HTTP://HOST.EXAMPLE" << "url:HTTP://HOST.EXAMPLE@1,1+19";
    QTest::newRow("scheme alone is no address") << "http:// x" << "";
    QTest::newRow("function keys before addresses on a line")
        << "http://x.example F1=Help" << "function:1@1,18+3 url:http://x.example@1,1+16";
}

void TestScreenViews::hotspots()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    writeText(screen(), 1, 1, text);
    QCOMPARE(describeHotspots(m_client->hotspotSegments()), expected);
}

void TestScreenViews::hotspotValueTypes()
{
    writeText(screen(), 1, 1, QStringLiteral("F7=Back http://h.example"));
    const QVariantList hotspots = m_client->hotspotSegments();
    QCOMPARE(hotspots.size(), 2);
    const QVariant functionValue = hotspots.at(0).toMap().value(QStringLiteral("value"));
    const QVariant urlValue = hotspots.at(1).toMap().value(QStringLiteral("value"));
    QCOMPARE(int(functionValue.type()), int(QVariant::Int));
    QCOMPARE(functionValue.toInt(), 7);
    QCOMPARE(int(urlValue.type()), int(QVariant::String));
    QCOMPARE(urlValue.toString(), QStringLiteral("http://h.example"));
}

void TestScreenViews::hotspotsFollowScreenRows()
{
    // Row 24 of the screen is line 24 of the text even with empty rows
    // between; a function key split over a row end is no hotspot.
    writeText(screen(), 3, 10, QStringLiteral("F6=Create"));
    writeText(screen(), 24, 2, QStringLiteral("F3=Exit"));
    writeText(screen(), 10, 79, QStringLiteral("F4=Prompt"));
    QCOMPARE(describeHotspots(m_client->hotspotSegments()),
             QStringLiteral("function:6@3,10+3 function:3@24,2+3"));
}

void TestScreenViews::hotspotsDisabled()
{
    writeText(screen(), 1, 1, QStringLiteral("F3=Exit http://x.example"));
    defineField(screen(), 5, 10, 8);
    const QVariantList segments = m_client->inputFieldSegments();
    QCOMPARE(m_client->hotspotSegments().size(), 2);

    m_client->setHotspotsEnabled(false);
    QVERIFY(m_client->hotspotSegments().isEmpty());
    QCOMPARE(m_client->inputFieldSegments(), segments);
    QCOMPARE(segments.size(), 1);
}

void TestScreenViews::viewsFollowChanges_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("text written") << QStringLiteral("text");
    QTest::newRow("field added") << QStringLiteral("field");
    QTest::newRow("attribute turned nondisplay") << QStringLiteral("nondisplay");
    QTest::newRow("operator typed into a field") << QStringLiteral("typed");
    QTest::newRow("code page switched") << QStringLiteral("codepage");
    QTest::newRow("screen resized") << QStringLiteral("resize");
}

// The views are kept between reads; after any change they must be what a
// client that never read them before computes from the same screen.
void TestScreenViews::viewsFollowChanges()
{
    QFETCH(QString, change);
    writeText(screen(), 1, 1, QStringLiteral("Hi! F3=Exit http://a.example"));
    defineField(screen(), 5, 10, 8);
    const QString text = m_client->terminalText();
    const QVariantList segments = m_client->inputFieldSegments();
    const QVariantList hotspots = m_client->hotspotSegments();
    // Made first: a client being made sets the code page of its profile.
    Tn5250Client fresh;

    if (change == QLatin1String("text")) {
        writeText(screen(), 2, 1, QStringLiteral("F5=Refresh"));
    } else if (change == QLatin1String("field")) {
        defineField(screen(), 8, 1, 5);
    } else if (change == QLatin1String("nondisplay")) {
        screen().attributes[screen().indexFromAddress(1, 5)] = char(0x27);
    } else if (change == QLatin1String("typed")) {
        screen().setCursorIndex(screen().indexFromAddress(5, 11));
        screen().keyboardLocked = false;
        QVERIFY(m_client->inputText(QStringLiteral("F9=")));
    } else if (change == QLatin1String("codepage")) {
        EbcdicCodec::setCodePage(273);
    } else {
        screen().resize(27, 132);
    }

    ClientProbe(fresh).screen() = screen();
    QCOMPARE(m_client->terminalText(), fresh.terminalText());
    QCOMPARE(m_client->inputFieldSegments(), fresh.inputFieldSegments());
    QCOMPARE(describeHotspots(m_client->hotspotSegments()), describeHotspots(fresh.hotspotSegments()));
    QVERIFY(m_client->terminalText() != text || m_client->inputFieldSegments() != segments
            || describeHotspots(m_client->hotspotSegments()) != describeHotspots(hotspots));
}

void TestScreenViews::inputFieldSegments_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    // Each field: row, column of its attribute byte, length, attribute, FFW high byte.
    QTest::addColumn<QVariantList>("fields");
    QTest::addColumn<QVariantList>("expected");

    auto field = [](int row, int column, int length, int attribute, int ffwHigh) {
        return QVariant(QVariantList() << row << column << length << attribute << ffwHigh);
    };

    QTest::newRow("field within one row")
        << 24 << 80 << (QVariantList() << field(5, 10, 8, 0x24, 0x40))
        << (QVariantList() << segment(5, 11, 8, false));
    QTest::newRow("20 cells starting 10 before the row end")
        << 24 << 80 << (QVariantList() << field(3, 70, 20, 0x24, 0x40))
        << (QVariantList() << segment(3, 71, 10, false) << segment(4, 1, 10, false));
    QTest::newRow("field over three rows of a 132-column screen")
        << 27 << 132 << (QVariantList() << field(2, 131, 140, 0x20, 0x40))
        << (QVariantList() << segment(2, 132, 1, false) << segment(3, 1, 132, false)
                           << segment(4, 1, 7, false));
    QTest::newRow("bypass fields skipped")
        << 24 << 80 << (QVariantList() << field(1, 1, 10, 0x20, 0x60) << field(2, 1, 5, 0x24, 0x40))
        << (QVariantList() << segment(2, 2, 5, false));
    QTest::newRow("password field is nondisplay")
        << 24 << 80 << (QVariantList() << field(6, 52, 10, 0x27, 0x40))
        << (QVariantList() << segment(6, 53, 10, true));
    QTest::newRow("table order kept, not screen order")
        << 24 << 80 << (QVariantList() << field(20, 1, 4, 0x24, 0x40) << field(2, 1, 4, 0x27, 0x40))
        << (QVariantList() << segment(20, 2, 4, false) << segment(2, 2, 4, true));
    QTest::newRow("zero-length field gives nothing")
        << 24 << 80 << (QVariantList() << field(4, 4, 0, 0x24, 0x40)) << QVariantList();
}

void TestScreenViews::inputFieldSegments()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QVariantList, fields);
    QFETCH(QVariantList, expected);
    screen().resize(rows, columns);
    for (const QVariant &entry : fields) {
        const QVariantList f = entry.toList();
        defineField(screen(), f.at(0).toInt(), f.at(1).toInt(), f.at(2).toInt(),
                    static_cast<unsigned char>(f.at(3).toInt()),
                    static_cast<unsigned char>(f.at(4).toInt()));
    }
    QCOMPARE(m_client->inputFieldSegments(), expected);
}

void TestScreenViews::segmentsCutAtScreenEnd_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QVariantList>("expected");
    // Table entries as a restored snapshot of another size could leave them.
    QTest::newRow("runs past the last cell")
        << 24 * 80 - 10 << 50 << (QVariantList() << segment(24, 71, 10, false));
    QTest::newRow("starts beyond the screen") << 24 * 80 << 5 << QVariantList();
    QTest::newRow("negative start") << -3 << 10 << QVariantList();
    QTest::newRow("negative length") << 100 << -4 << QVariantList();
}

void TestScreenViews::segmentsCutAtScreenEnd()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QVariantList, expected);
    TerminalScreen::Field field;
    field.start = start;
    field.length = length;
    field.ffwHigh = 0x40;
    screen().fields.append(field);
    QCOMPARE(m_client->inputFieldSegments(), expected);
}

void TestScreenViews::nondisplayFieldBlankedInText()
{
    writeText(screen(), 6, 2, QStringLiteral("Password"));
    defineField(screen(), 6, 20, 10, 0x27);
    writeText(screen(), 6, 21, QStringLiteral("HUNTER2"));
    QCOMPARE(screen().charAt(screen().indexFromAddress(6, 21)), QChar(QLatin1Char('H')));

    const QString text = m_client->screenText();
    const QStringList lines = text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 24);
    QCOMPARE(lines.at(5), QStringLiteral(" Password"));
    QVERIFY(!text.contains(QStringLiteral("HUNTER")));
    QCOMPARE(m_client->terminalText(), text);
    QCOMPARE(m_client->property("terminalText").toString(), text);
}

void TestScreenViews::copyScreenRedactsAndReports()
{
    writeText(screen(), 1, 1, QStringLiteral("Sign On"));
    defineField(screen(), 2, 20, 10, 0x27);
    writeText(screen(), 2, 21, QStringLiteral("HUNTER2"));
    QGuiApplication::clipboard()->setText(QStringLiteral("stale"));

    QSignalSpy statusSpy(m_client, SIGNAL(statusChanged()));
    m_client->copyScreen();
    QCOMPARE(QGuiApplication::clipboard()->text(), m_client->screenText());
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Sign On\n\n")));
    QVERIFY(!QGuiApplication::clipboard()->text().contains(QStringLiteral("HUNTER")));
    QCOMPARE(m_client->status(), QStringLiteral("Screen copied (password fields redacted)"));
    QCOMPARE(statusSpy.count(), 1);
}

void TestScreenViews::visibleCellCount_data()
{
    QTest::addColumn<QByteArray>("bytes"); // written from the first cell on
    QTest::addColumn<int>("count");
    QTest::newRow("empty screen") << QByteArray() << 0;
    QTest::newRow("attributes, nulls and spaces")
        << QByteArray::fromHex("2040404000002224403A00") << 0;
    QTest::newRow("letters after a normal attribute") << QByteArray::fromHex("20C1C2C340C4") << 4;
    QTest::newRow("control characters show as blanks") << QByteArray::fromHex("C11525C2") << 2;
    QTest::newRow("typed characters in a password field")
        << QByteArray::fromHex("C127C1C2C3C420C5") << 2;
}

void TestScreenViews::visibleCellCount()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    for (char byte : bytes)
        screen().writeByte(static_cast<unsigned char>(byte));
    QCOMPARE(m_client->visibleCellCount(), count);
}

void TestScreenViews::themeColors_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<QString>("foreground");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("cursor");
    QTest::newRow("0 green") << 0 << "#78ff78" << "#000000" << "#d8ffd8";
    QTest::newRow("1 amber") << 1 << "#ffca58" << "#000000" << "#fff0b3";
    QTest::newRow("2 grey") << 2 << "#f0f0f0" << "#101010" << "#ffffff";
    QTest::newRow("3 blue") << 3 << "#dbe9ff" << "#00172e" << "#80c8ff";
    QTest::newRow("7 is clamped to 3") << 7 << "#dbe9ff" << "#00172e" << "#80c8ff";
}

void TestScreenViews::themeColors()
{
    QFETCH(int, theme);
    QFETCH(QString, foreground);
    QFETCH(QString, background);
    QFETCH(QString, cursor);
    // Start from a different theme so that every row really changes it.
    m_client->setTerminalTheme(theme == 1 ? 2 : 1);
    m_client->setTerminalTheme(theme);
    QCOMPARE(m_client->terminalForeground(), foreground);
    QCOMPARE(m_client->terminalBackground(), background);
    QCOMPARE(m_client->terminalCursorColor(), cursor);
    QCOMPARE(m_client->property("terminalForeground").toString(), foreground);
}

QTEST_MAIN(TestScreenViews)
#include "tst_screenviews.moc"
