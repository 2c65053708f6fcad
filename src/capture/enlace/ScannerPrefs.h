#pragma once
// Preferences of the Seac Banche reader: one record for the program, reset to
// these defaults when the capture window is created and on "&Reiniciar".
// Only Operation, Double and SortPocket are read afterwards; the library calls
// carry their own constants for the rest.

#include <QString>

struct VirtualCamera {
    int Filter = 0;
    int Dpi = 100;
    int Tipo = 0;
    int Quality = 0;
};

struct Binarization {
    int Method = 1;
    int Param = 180;
};

struct ScannerPrefs {
    int Width = 200;
    int Height = 90;
    int OffsetF = 0;
    int OffsetB = 0;
    int BrightF = 7;
    int BrightB = 7;
    int ContrastF = 64;
    int ContrastB = 64;
    VirtualCamera FrontR{0, 100, 0, 40};
    VirtualCamera FrontG{0, 100, 4, 60};
    VirtualCamera Back{0, 100, 4, 90};
    Binarization Binariz;
    bool EnableInkjet = false;
    QString InkJetString; // the configured endorsement text
    bool OnlineDisp = true;
    bool Cut = true;
    int ReadMode = 1;
    int Operation = 0;
    QString ImagePath = QStringLiteral(".\\");
    int Double = 60;
    int SortPocket = 0;
    int Sello = 0;

    // The defaults, with the endorsement text of the scanner settings.
    static ScannerPrefs porDefecto(const QString& textoEndoso) {
        ScannerPrefs p;
        p.InkJetString = textoEndoso;
        return p;
    }
};
