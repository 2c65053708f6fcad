#pragma once
// What the Vision X reader needs from the computer before its engine can
// start, and how it is installed.
//
// On Windows it is the maker's USB driver: present when
// %WINDIR%\SysWOW64\drivers\PaniniUSB.sys exists, installed by the maker's
// script for 64 or 32 bits, launched with administrator elevation.
//
// Elsewhere the reader needs no driver but access rights for the operators:
// a udev rule ("60-teskora-visionx.rules") that gives the group of the
// program and the user at the seat access to the reader. It counts as
// installed when the rule is in /etc/udev/rules.d; the script shipped beside
// the program ("instala_acceso_visionx.sh") copies it there and reloads udev.
// It runs as the super user through pkexec, which asks for the password; the
// same script serves both choices of the window.

#include "Instalacion.h"

#include <QString>

#include <functional>

struct tDriverPanini {
    // The file whose presence means that the reader can be used.
    QString instalado;
    // The installation script of each choice.
    QString guion64;
    QString guion32;
    // Runs a script with elevation and answers an empty text when it ran, or
    // why it could not run. The program's form waits for the script to end.
    std::function<QString(const QString& guion)> ejecuta;
};

// The driver of this computer, with the scripts of the installation.
tDriverPanini driverPaniniDelSistema(const tInstalacion& instalacion);
