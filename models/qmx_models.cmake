# The runnable installations: one folder per switch model under
# ${QMX_MODELS_DIR}, holding User.ini, the panel file and its pictures.
include_guard(GLOBAL)

set(QMX_MODELS QMX-7720-ZA QMX-7740-ZP QMX-7752-ZA QMX-7710-ZP)
set(QMX_MODELS_DIR ${CMAKE_BINARY_DIR}/models)
# Installed: ${QMX_INSTALL_DIR}/<MODEL>/ like the build's folders, each with
# a link to the one executable in ${QMX_INSTALL_DIR}/bin.
set(QMX_INSTALL_DIR lib/qmx-module)

# qmx_model_dirs(<target>): after <target> builds, its file is placed in
# every model folder, beside that model's installation files.
function(qmx_model_dirs target)
  foreach(model IN LISTS QMX_MODELS)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory ${QMX_MODELS_DIR}/${model}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${QMX_MODELS_DIR}/${model}/
      VERBATIM)
  endforeach()
  add_dependencies(${target} qmx_models)
endfunction()
