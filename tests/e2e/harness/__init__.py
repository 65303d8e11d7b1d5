"""Runs Windows programs under Wine with a private display and pseudo-terminal COM ports.

CTest sets the environment; by hand, from the build tree:
  ZEPHRA_BUILD_DIR=$PWD ZEPHRA_EXE=$PWD/Zephra.exe ZEPHRA_UIDRIVER=$PWD/tests/e2e/uidriver.exe \
      ZEPHRA_PRINTER_SIM=$PWD/host-sim/printer-sim \
      python3 ../../tests/e2e/panel_test.py PanelTest.test_initial_state
The booted base prefix is kept in $ZEPHRA_BUILD_DIR/wineprefix-base, each test's copy under
wine-tests/ (removed afterwards), screenshots of failed tests in test-artifacts/.
"""
