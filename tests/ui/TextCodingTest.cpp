// Texts between the window (Unicode) and the device link (code page 936).
#include <QtTest>

#include "GbkCodePage.h"

class TextCodingTest : public QObject {
    Q_OBJECT
private slots:
    void encodes_data();
    void encodes();
    void decodes_data();
    void decodes();
};

void TextCodingTest::encodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("encodable");
    QTest::newRow("ASCII unchanged") << "Marlin 3200" << QByteArray("Marlin 3200") << true;
    QTest::newRow("Chinese as double bytes") << "串口" << QByteArray("\xb4\xae\xbf\xda") << true;
    QTest::newRow("emoji has no form") << "a\U0001F600b" << QByteArray() << false;
    QTest::newRow("empty") << "" << QByteArray() << true;
}

void TextCodingTest::encodes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, encodable);
    const std::optional<std::string> encoded = CGbkCodePage().Encode(text.toStdString());
    QCOMPARE(encoded.has_value(), encodable);
    if (encoded) QCOMPARE(QByteArray::fromStdString(*encoded), bytes);
}

void TextCodingTest::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("reply with Chinese value") << QByteArray("QZ_DEVTYPE A \xb5\xe7\r\n")
                                              << "QZ_DEVTYPE A 电\r\n";
    QTest::newRow("bad trail byte replaced, rest kept") << QByteArray("A\x81\x20" "B\r\n")
                                                        << "A\uFFFD B\r\n";
    QTest::newRow("lone lead byte at the end replaced") << QByteArray("AB\xb4") << "AB\uFFFD";
}

void TextCodingTest::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(CGbkCodePage().Decode(bytes.toStdString())), text);
}

QTEST_MAIN(TextCodingTest)
#include "TextCodingTest.moc"
