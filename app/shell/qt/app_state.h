// The program's application-wide values, set at start-up and alive for the whole run. The names
// are those every screen knows them by.
#pragma once

#include <QString>

namespace kvt {

inline QString rutaApp;    // the folder that holds Datos: the program's, or the per-user one
inline QString rutaDatos;  // rutaApp + "/Datos/"
inline QString rutaBase;   // rutaApp + "/"
inline QString anyo;       // the current year, two digits

inline QString puertoCom;       // the COM port number of the clock, as text
inline QString pedirImpresora;  // "1": choose the printer at every capture; "0": the default one

inline bool modoEdicion = false;  // true while the configuration or a contest is being edited
inline QString formllama;         // the screen that opened the capture window or a browser
inline QString wbusca;            // the pattern of the last search in a register list
inline QString wactual;           // the code the arrow keys of the contest register move to

}  // namespace kvt
