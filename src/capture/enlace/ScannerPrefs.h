#pragma once
// Preferences of the Seac Banche reader: one record for the program, reset to
// these defaults when the capture window is created and on "&Reiniciar".
// Only these three are passed to the library; its other calls carry their
// own constants.

struct ScannerPrefs {
    int Operation = 0;  // rdOperation
    int Double = 60;    // rdDoubleDetect
    int SortPocket = 0; // rdsSetSort
};
