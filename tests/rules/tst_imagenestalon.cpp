#include "ImagenesTalon.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// Each test builds its own installation in a temporary folder.
class TstImagenesTalon : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void baseImagen();
    void copia_data();
    void copia();
    void copiaSobreescribe();
    void copiaFallida();
    void copiaSobreSiMismo();
    void borra();
    void vacia();
    void copiaLeidas_data();
    void copiaLeidas();
    void copiaLeidasParaEnElPrimerFallo_data();
    void copiaLeidasParaEnElPrimerFallo();
    void copiaLeidasSobreescribe();
    void nombresRechazados_data();
    void nombresRechazados();
    void renombra();
    void renombraNombreOcupado();
    void archiva();
    void archivaSinRenombrar_data();
    void archivaSinRenombrar();

private:
    static void escribe(const QString& ruta, const QByteArray& datos);
    static QByteArray lee(const QString& ruta);
    QStringList todosLosFicheros() const;
    void ponImagenesTemporales(const QString& secuencia);

    QTemporaryDir* raiz = nullptr;
    tDirectorios dirs;
};

void TstImagenesTalon::init() {
    raiz = new QTemporaryDir;
    QVERIFY(raiz->isValid());
    dirs = calculaInstalacion(raiz->path()).dirs;
    for (const QString& carpeta : carpetasDeTrabajo(dirs))
        QVERIFY(QDir().mkpath(carpeta));
}

void TstImagenesTalon::cleanup() {
    delete raiz;
    raiz = nullptr;
}

void TstImagenesTalon::escribe(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(datos), datos.size());
}

QByteArray TstImagenesTalon::lee(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// Every file under the temporary root, relative to it, sorted.
QStringList TstImagenesTalon::todosLosFicheros() const {
    QStringList lista;
    QDirIterator it(raiz->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        lista << QDir(raiz->path()).relativeFilePath(it.next());
    lista.sort();
    return lista;
}

void TstImagenesTalon::ponImagenesTemporales(const QString& secuencia) {
    escribe(dirs.Dir_Imagenes_tmp + "F" + secuencia + ".tif", "front tiff " + secuencia.toUtf8());
    escribe(dirs.Dir_Imagenes_tmp + "T" + secuencia + ".tif", "back tiff " + secuencia.toUtf8());
    escribe(dirs.Dir_Imagenes_tmp + "F" + secuencia + ".jpg", "front jpeg " + secuencia.toUtf8());
}

void TstImagenesTalon::baseImagen() {
    QCOMPARE(baseImagenTalon(QStringLiteral("12345678010123456789"), QStringLiteral("4212-5"),
                             QStringLiteral("1234567-6")),
             QStringLiteral("1234567801012345678942121234567"));
}

void TstImagenesTalon::copia_data() {
    QTest::addColumn<int>("tamano");
    QTest::newRow("empty") << 0;
    QTest::newRow("one byte") << 1;
    QTest::newRow("one block less one") << 8191;
    QTest::newRow("one block") << 8192;
    QTest::newRow("one block and one") << 8193;
    QTest::newRow("several blocks") << 3 * 8192 + 17;
}

void TstImagenesTalon::copia() {
    QFETCH(int, tamano);
    QByteArray datos(tamano, Qt::Uninitialized);
    for (int i = 0; i < tamano; ++i)
        datos[i] = char((i * 131 + 7) & 0xff);
    const QString origen = dirs.Dir_tmp + "origen.bin";
    const QString destino = dirs.Dir_Cons + "destino.bin";
    escribe(origen, datos);
    QCOMPARE(copiaFichero(origen, destino), 0);
    QCOMPARE(lee(destino), datos);
    QCOMPARE(lee(origen), datos);
}

void TstImagenesTalon::copiaSobreescribe() {
    const QString origen = dirs.Dir_tmp + "a";
    const QString destino = dirs.Dir_tmp + "b";
    escribe(origen, "short");
    escribe(destino, "a much longer old content");
    QCOMPARE(copiaFichero(origen, destino), 0);
    QCOMPARE(lee(destino), QByteArray("short"));
}

void TstImagenesTalon::copiaFallida() {
    QCOMPARE(copiaFichero(dirs.Dir_tmp + "missing", dirs.Dir_tmp + "b"), -1);
    QVERIFY(!QFile::exists(dirs.Dir_tmp + "b"));
    escribe(dirs.Dir_tmp + "a", "x");
    QCOMPARE(copiaFichero(dirs.Dir_tmp + "a", dirs.Dir_tmp + "no/such/folder/b"), -1);
    QCOMPARE(copiaFichero(dirs.Dir_tmp + "a", dirs.Dir_Cons), -1);
    QCOMPARE(copiaFichero(dirs.Dir_Cons, dirs.Dir_tmp + "c"), -1);
    QCOMPARE(copiaFichero(QString(), dirs.Dir_tmp + "c"), -1);
    QCOMPARE(copiaFichero(dirs.Dir_tmp + "a", QString()), -1);
}

void TstImagenesTalon::copiaSobreSiMismo() {
    // Truncating the destination would empty the source.
    const QString origen = dirs.Dir_tmp + "a";
    escribe(origen, "keep me");
    QCOMPARE(copiaFichero(origen, origen), -1);
    QCOMPARE(copiaFichero(origen, dirs.Dir_tmp + "../Tmp/./a"), -1);
    QCOMPARE(lee(origen), QByteArray("keep me"));
}

void TstImagenesTalon::borra() {
    escribe(dirs.Dir_tmp + "a", "x");
    borraFichero(dirs.Dir_tmp + "a");
    QVERIFY(!QFile::exists(dirs.Dir_tmp + "a"));
    borraFichero(dirs.Dir_tmp + "a"); // missing: nothing happens
    borraFichero(QString());
    QVERIFY(QDir().mkpath(dirs.Dir_tmp + "sub"));
    borraFichero(dirs.Dir_tmp + "sub");
    QVERIFY(QFileInfo(dirs.Dir_tmp + "sub").isDir());
}

void TstImagenesTalon::vacia() {
    vaciaCarpeta(dirs.Dir_Imagenes_tmp); // empty folder: nothing to do
    QVERIFY(QDir(dirs.Dir_Imagenes_tmp).isEmpty());

    ponImagenesTemporales(QStringLiteral("1"));
    escribe(dirs.Dir_Imagenes_tmp + "sin_extension", "x");
    escribe(dirs.Dir_Imagenes_tmp + ".oculto", "x");
    QVERIFY(QDir().mkpath(dirs.Dir_Imagenes_tmp + "sub"));
    escribe(dirs.Dir_Imagenes_tmp + "sub/F2.tif", "x");
    escribe(dirs.Dir_Imagenes + "F3.tif", "x");

    vaciaCarpeta(dirs.Dir_Imagenes_tmp);
    QCOMPARE(todosLosFicheros(),
             QStringList({"RorireruDevarer/Imagenes/F3.tif", "RorireruDevarer/Imagenes_tmp/.oculto",
                          "RorireruDevarer/Imagenes_tmp/sub/F2.tif"}));
}

void TstImagenesTalon::copiaLeidas_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<bool>("resultado");
    QTest::addColumn<bool>("copia");
    QTest::newRow("Seac Banche") << 1 << true << true;
    QTest::newRow("Excella") << 2 << true << true;
    QTest::newRow("Excella STX") << 3 << true << true;
    QTest::newRow("keyboard reader") << 4 << true << false;
    QTest::newRow("Vision X") << 5 << true << true;
    QTest::newRow("no reader") << 0 << false << false;
    QTest::newRow("unknown reader") << 6 << false << false;
}

void TstImagenesTalon::copiaLeidas() {
    QFETCH(int, tipo);
    QFETCH(bool, copia);
    const QString base = QStringLiteral("1234567801012345678942121234567");
    ponImagenesTemporales(QStringLiteral("3"));
    QTEST(copiaImagenesLeidas(dirs, QStringLiteral("3"), base, TipoLector::Tipo(tipo)),
          "resultado");
    if (copia) {
        QCOMPARE(lee(dirs.Dir_Imagenes + "F" + base + ".tif"), QByteArray("front tiff 3"));
        QCOMPARE(lee(dirs.Dir_Imagenes + "T" + base + ".tif"), QByteArray("back tiff 3"));
        QCOMPARE(lee(dirs.Dir_Imagenes + "F" + base + ".jpg"), QByteArray("front jpeg 3"));
    } else {
        QVERIFY(QDir(dirs.Dir_Imagenes).isEmpty());
    }
    QCOMPARE(QDir(dirs.Dir_Imagenes_tmp).entryList(QDir::Files).size(), 3);
}

void TstImagenesTalon::copiaLeidasParaEnElPrimerFallo_data() {
    QTest::addColumn<QString>("falta");
    QTest::addColumn<QStringList>("copiados");
    QTest::newRow("back missing") << "T7.tif" << QStringList{"FB.tif"};
    QTest::newRow("jpeg missing") << "F7.jpg" << QStringList{"FB.tif", "TB.tif"};
    QTest::newRow("front missing") << "F7.tif" << QStringList{};
}

void TstImagenesTalon::copiaLeidasParaEnElPrimerFallo() {
    QFETCH(QString, falta);
    ponImagenesTemporales(QStringLiteral("7"));
    QVERIFY(QFile::remove(dirs.Dir_Imagenes_tmp + falta));
    QVERIFY(!copiaImagenesLeidas(dirs, QStringLiteral("7"), QStringLiteral("B"),
                                 TipoLector::SeacBanche));
    QDir imagenes(dirs.Dir_Imagenes);
    QTEST(imagenes.entryList(QDir::Files, QDir::Name), "copiados");
}

void TstImagenesTalon::copiaLeidasSobreescribe() {
    // A second read of the same cheque replaces the files of the first.
    ponImagenesTemporales(QStringLiteral("1"));
    QVERIFY(
        copiaImagenesLeidas(dirs, QStringLiteral("1"), QStringLiteral("B"), TipoLector::VisionX));
    ponImagenesTemporales(QStringLiteral("2"));
    QVERIFY(
        copiaImagenesLeidas(dirs, QStringLiteral("2"), QStringLiteral("B"), TipoLector::VisionX));
    QCOMPARE(lee(dirs.Dir_Imagenes + "TB.tif"), QByteArray("back tiff 2"));
    QCOMPARE(QDir(dirs.Dir_Imagenes).entryList(QDir::Files).size(), 3);
}

void TstImagenesTalon::nombresRechazados_data() {
    // Names Windows cannot hold. Read data keeps "." "/" ":" through the
    // cleaning, so a codeline could otherwise name a file anywhere.
    QTest::addColumn<QString>("secuencia");
    QTest::addColumn<QString>("base");
    const QString s = QStringLiteral("1");
    QTest::newRow("parent folder") << s << "/../../fuera";
    QTest::newRow("slash") << s << "12/34";
    QTest::newRow("backslash") << s << "12\\34";
    QTest::newRow("drive colon") << s << "C:12";
    QTest::newRow("asterisk") << s << "12*4";
    QTest::newRow("question mark") << s << "1234??5678";
    QTest::newRow("double quote") << s << "12\"4";
    QTest::newRow("less than") << s << "12<4";
    QTest::newRow("greater than") << s << "12>4";
    QTest::newRow("bar") << s << "12|4";
    QTest::newRow("tab") << s << "12\t4";
    QTest::newRow("new line") << s << "12\n4";
    QTest::newRow("too long") << s << QString(300, u'1');
    QTest::newRow("sequence climbs out") << "/../../../fuera"
                                         << "B";
    QTest::newRow("sequence with colon") << "1:2"
                                         << "B";
}

void TstImagenesTalon::nombresRechazados() {
    QFETCH(QString, secuencia);
    QFETCH(QString, base);
    ponImagenesTemporales(QStringLiteral("1"));
    // Stored images under a plain name, so a rename that slipped through
    // would show.
    for (const char* nombre : {"F1.tif", "T1.tif", "F1.jpg"})
        escribe(dirs.Dir_Imagenes + nombre, "stored");
    const QStringList antes = todosLosFicheros();

    QVERIFY(!copiaImagenesLeidas(dirs, secuencia, base, TipoLector::SeacBanche));
    if (secuencia == u"1") {
        QVERIFY(rutaImagenFrontal(dirs.Dir_Imagenes, base).isEmpty());
        renombraImagenesTalon(dirs, QStringLiteral("1"), base);
        renombraImagenesTalon(dirs, base, QStringLiteral("1"));
        archivaImagenesTalon(dirs, base, QString(), QString());
    }
    QCOMPARE(todosLosFicheros(), antes);
}

void TstImagenesTalon::renombra() {
    escribe(dirs.Dir_Imagenes + "FA.tif", "f");
    escribe(dirs.Dir_Imagenes + "FA.jpg", "j");
    // The back image is missing: the other two are still renamed.
    renombraImagenesTalon(dirs, QStringLiteral("A"), QStringLiteral("B"));
    QCOMPARE(QDir(dirs.Dir_Imagenes).entryList(QDir::Files, QDir::Name),
             QStringList({"FB.jpg", "FB.tif"}));
    QCOMPARE(lee(dirs.Dir_Imagenes + "FB.jpg"), QByteArray("j"));
}

void TstImagenesTalon::renombraNombreOcupado() {
    escribe(dirs.Dir_Imagenes + "FA.tif", "old");
    escribe(dirs.Dir_Imagenes + "TA.tif", "old back");
    escribe(dirs.Dir_Imagenes + "FB.tif", "taken");
    renombraImagenesTalon(dirs, QStringLiteral("A"), QStringLiteral("B"));
    QCOMPARE(lee(dirs.Dir_Imagenes + "FB.tif"), QByteArray("taken"));
    QCOMPARE(lee(dirs.Dir_Imagenes + "FA.tif"), QByteArray("old"));
    QCOMPARE(lee(dirs.Dir_Imagenes + "TB.tif"), QByteArray("old back"));
}

void TstImagenesTalon::archiva() {
    const QString cuenta = QStringLiteral("12345678010123456789");
    const QString base = QStringLiteral("1234567801012345678942121234567");
    escribe(dirs.Dir_Imagenes + "F" + base + ".tif", "front tiff");
    escribe(dirs.Dir_Imagenes + "T" + base + ".tif", "back tiff");
    escribe(dirs.Dir_Imagenes + "F" + base + ".jpg", "front jpeg");
    escribe(dirs.Dir_Imagenes + "Fother.jpg", "another cheque");

    // An older file of the same name in the history is replaced.
    escribe(dirs.Dir_Hco_Imagenes + "T" + base + ".tif", "stale");
    QCOMPARE(
        archivaImagenesTalon(dirs, cuenta, QStringLiteral("4212-5"), QStringLiteral("1234567-6")),
        dirs.Dir_Hco_Imagenes + "F" + base + ".tif");
    QCOMPARE(QDir(dirs.Dir_Imagenes).entryList(QDir::Files), QStringList{"Fother.jpg"});
    QCOMPARE(lee(dirs.Dir_Hco_Imagenes + "F" + base + ".tif"), QByteArray("front tiff"));
    QCOMPARE(lee(dirs.Dir_Hco_Imagenes + "T" + base + ".tif"), QByteArray("back tiff"));
    QCOMPARE(lee(dirs.Dir_Hco_Imagenes + "F" + base + ".jpg"), QByteArray("front jpeg"));
    // The archive reads the front TIFF from the history: no copy is made.
    QCOMPARE(QDir(dirs.Dir_Imagenes_tmp).entryList(QDir::Files), QStringList());

    // A cheque without images (manual entry) is archived without complaint.
    const QStringList antes = todosLosFicheros();
    archivaImagenesTalon(dirs, cuenta, QStringLiteral("4212-5"), QStringLiteral("7654321-0"));
    QCOMPARE(todosLosFicheros(), antes);

    // A copy that cannot be written (here a folder stands where the history
    // file should go) leaves the original where it was.
    const QString base2 = QStringLiteral("1234567801012345678942127654322");
    escribe(dirs.Dir_Imagenes + "F" + base2 + ".jpg", "front jpeg 2");
    escribe(dirs.Dir_Imagenes + "T" + base2 + ".tif", "back tiff 2");
    QVERIFY(QDir().mkpath(dirs.Dir_Hco_Imagenes + "F" + base2 + ".jpg"));
    archivaImagenesTalon(dirs, cuenta, QStringLiteral("4212-5"), QStringLiteral("7654322-0"));
    QCOMPARE(lee(dirs.Dir_Imagenes + "F" + base2 + ".jpg"), QByteArray("front jpeg 2"));
    QVERIFY(!QFile::exists(dirs.Dir_Imagenes + "T" + base2 + ".tif"));
    QCOMPARE(lee(dirs.Dir_Hco_Imagenes + "T" + base2 + ".tif"), QByteArray("back tiff 2"));
}

// Where the rename fails (source and history on different volumes), each
// file is copied, compared and only then deleted; a copy that cannot be made
// leaves the file in the image folder, and the archive takes the front TIFF
// from there.
void TstImagenesTalon::archivaSinRenombrar_data() {
    QTest::addColumn<QString>("bloqueada"); // history file blocked by a folder
    QTest::newRow("every copy made") << QString();
    QTest::newRow("front tiff cannot be copied") << QStringLiteral("F%1.tif");
    QTest::newRow("jpeg cannot be copied") << QStringLiteral("F%1.jpg");
}

void TstImagenesTalon::archivaSinRenombrar() {
    QFETCH(QString, bloqueada);
    const QString cuenta = QStringLiteral("12345678010123456789");
    const QString base = QStringLiteral("1234567801012345678942121234567");
    const QStringList nombres = {"F" + base + ".tif", "T" + base + ".tif", "F" + base + ".jpg"};
    for (const QString& n : nombres)
        escribe(dirs.Dir_Imagenes + n, QByteArray(20000, 'x') + n.toLatin1());
    escribe(dirs.Dir_Hco_Imagenes + nombres[1], "stale");
    if (!bloqueada.isEmpty())
        QVERIFY(QDir().mkpath(dirs.Dir_Hco_Imagenes + bloqueada.arg(base)));
    QStringList pedidos;
    const tRenombrado falla = [&](const QString& origen, const QString&) {
        pedidos << QFileInfo(origen).fileName();
        return false;
    };

    const QString frontal = archivaImagenesTalon(dirs, cuenta, QStringLiteral("4212-5"),
                                                 QStringLiteral("1234567-6"), {}, falla);
    QCOMPARE(pedidos.size(), 3);
    for (const QString& n : nombres) {
        const QByteArray contenido = QByteArray(20000, 'x') + n.toLatin1();
        const bool movida = n != bloqueada.arg(base);
        QCOMPARE(QFile::exists(dirs.Dir_Imagenes + n), !movida);
        QCOMPARE(lee((movida ? dirs.Dir_Hco_Imagenes : dirs.Dir_Imagenes) + n), contenido);
    }
    QCOMPARE(frontal,
             (bloqueada.startsWith("F%1.tif") ? dirs.Dir_Imagenes : dirs.Dir_Hco_Imagenes) +
                 nombres[0]);
    QCOMPARE(QDir(dirs.Dir_Imagenes_tmp).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TstImagenesTalon)
#include "tst_imagenestalon.moc"
