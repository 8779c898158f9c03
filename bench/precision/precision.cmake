# The answers of the exports for a file of cases, for the precision check (run.py), on every
# target: natively, and through each Windows DLL under Wine. `make test` runs the check on a few
# thousand cases (`make precision` runs 10^6), held to bounds a little above the errors of the
# cores; under Wine the same bounds hold, since the DLLs answer the native build's bits.
add_executable(precision_driver ${CMAKE_CURRENT_LIST_DIR}/precision_driver.cpp)
target_link_libraries(precision_driver PRIVATE vx_bench_addin)

if(VX_TESTS)
  set(VX_PRECISION_CHECK /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/run.py --count 5000 --seed 1
      --most interpolex=16,extrapolation=2,cspline=8,exposure=16,final=16,convexity=16,modified=16)
  if(WIN32)
    vx_wine_command(precision_check ${VX_PRECISION_CHECK}
                    --driver "wine $<TARGET_FILE:precision_driver>")
  else()
    add_test(NAME precision_check COMMAND ${VX_PRECISION_CHECK} --driver $<TARGET_FILE:precision_driver>)
    set_tests_properties(precision_check PROPERTIES TIMEOUT 60
      ENVIRONMENT "VARENTIS_ADDIN=$<TARGET_FILE:varentis>;XDG_CONFIG_HOME=/dev/null/no-user-config")
  endif()
endif()
