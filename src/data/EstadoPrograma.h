#pragma once
// Program-wide state shared by the windows for the whole run. One instance,
// owned by the application and passed by reference; nothing here is saved.
// The program keeps no other mutable state between windows: what a window
// remembers for the whole run, and the hooks between windows, live here.

#include "Registros.h"

#include <QMap>
#include <QString>
#include <QtCore/qnamespace.h>

#include <functional>

class TGuionDialogos;
class TRegistroDiagnostico;

struct tEstadoPrograma {
    tRemesas RemesaActual;                     // the remittance being worked on
    tOrdenantes OrdenanteActual;               // the presenter being dated or emitted
    int ColumnaOrden = 0;                      // list column whose header was clicked last
    QMap<int, Qt::SortOrder> OrdenesCheques;   // cheque list: last direction per column
    tEscaner Escaner;                          // configured reader and its options
    bool inicializacionLectorPendiente = true; // reader library still to start
    bool busquedaRealizada = false;            // the last history search was accepted

    // Opens the capture window of a reader type modally and answers whether
    // a window was opened. Set by the application once the capture windows
    // exist; while it is empty no window opens for any type.
    std::function<bool(int tipo)> abreVentanaCaptura;

    // The long-lived question dialog created at start-up (0 = first button).
    // Empty: each question builds a dialog of its own.
    std::function<quint16(const QString& texto, const QString& boton1, const QString& boton2,
                          const QString& cabecera)>
        preguntaDlg;

    // The diagnostic log's queue while the log is on (see RegistroDiagnostico.h);
    // empty when it is off, and then nothing is written.
    TRegistroDiagnostico* diagnostico = nullptr;

    // Tests only: the scripted answers of boxes and system dialogs (see
    // GuionDialogos.h). Empty in the program: boxes and dialogs are shown.
    TGuionDialogos* guion = nullptr;
};
