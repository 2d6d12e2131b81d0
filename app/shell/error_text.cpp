#include "error_text.h"

namespace kvt {

std::string describeError(const std::error_code& error) {
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
    return "no hay permiso para escribir allí";
  }
  if (error == std::errc::no_such_file_or_directory) return "la ruta no existe";
  if (error == std::errc::not_a_directory) return "una parte de la ruta no es una carpeta";
  if (error == std::errc::is_a_directory) return "ya existe una carpeta con ese nombre";
  if (error == std::errc::file_exists) return "ya existe un archivo con ese nombre";
  if (error == std::errc::no_space_on_device) return "el disco está lleno";
  if (error == std::errc::read_only_file_system) return "el disco es de solo lectura";
  if (error == std::errc::filename_too_long) return "la ruta es demasiado larga";
  if (error == std::errc::invalid_argument) return "el nombre no es válido";
  if (error == std::errc::io_error) return "error de lectura o escritura en el disco";
  return "error del sistema " + std::to_string(error.value());
}

}  // namespace kvt
