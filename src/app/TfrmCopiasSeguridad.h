#pragma once
// "Copias de seguridad": the copies of the data folder, newest first, with
// their size and what they hold; a copy made on demand; and the restore of
// the chosen one, after a confirmation that names its date and what is
// replaced.

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;
class TCopiasSeguridad;
class TdmBBDD;

class TfrmCopiasSeguridad : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Copias de seguridad");

    // `reiniciaDatos` runs after a restore: the data module starts again on
    // the restored tables.
    static void Launch(TdmBBDD& dm, const std::function<void()>& reiniciaDatos, QWidget* parent);

    TfrmCopiasSeguridad(TdmBBDD& dm, std::function<void()> reiniciaDatos,
                        QWidget* parent = nullptr);
    ~TfrmCopiasSeguridad() override;

    void cargaLista();
    void hazCopia();
    void restaura();
    // The confirmation text for restoring the selected copy.
    QString textoConfirmacion() const;

    QLabel* lblCarpeta = nullptr;
    QTreeWidget* lvwCopias = nullptr;
    QPushButton* btnHacerCopia = nullptr;
    QPushButton* btnRestaurar = nullptr;
    QPushButton* btnCerrar = nullptr;

private:
    void actualizaAcciones();
    int seleccionada() const;

    TdmBBDD& dm_;
    std::function<void()> reiniciaDatos_;
    std::unique_ptr<TCopiasSeguridad> copias_;
};
