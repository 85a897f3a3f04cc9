# The engine's source folders and the library each one builds, as folder:library, in the order
# they depend on one another: the run, the field checks, each layout's folder and the layout table
# that joins them. The program's build, the fuzz build and the WebAssembly build all take the
# engine from this list; a new layout's folder is added here once.
set(ROLVAL_PASTAS_MOTOR
    run:rolval_run
    checks:rolval_checks
    layouts/monthly:rolval_mensal
    layouts/substitution:rolval_st2
    layouts/older:rolval_antigos
    layouts:rolval_engine)

set(ROLVAL_FONTES_MOTOR_PASTAS "")
set(ROLVAL_BIBLIOTECAS_MOTOR "")
foreach(item IN LISTS ROLVAL_PASTAS_MOTOR)
  string(REPLACE ":" ";" par ${item})
  list(GET par 0 pasta)
  list(GET par 1 biblioteca)
  list(APPEND ROLVAL_FONTES_MOTOR_PASTAS ${pasta})
  list(APPEND ROLVAL_BIBLIOTECAS_MOTOR ${biblioteca})
endforeach()
