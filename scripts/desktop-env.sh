# Sourced by what ctest runs. When the suite runs programs side by side (scripts/run-suite.sh),
# ctest gives each test a desktop: an X display and a Wine prefix of its own, so that programs
# neither take each other's focus nor see each other's windows. Elsewhere it changes nothing.
if [ -n "${CTEST_RESOURCE_GROUP_0_DESKTOP:-}" ] && [ -n "${VELMORA_DESKTOPS:-}" ]; then
  desktop=${CTEST_RESOURCE_GROUP_0_DESKTOP#id:}
  desktop=${desktop%%,*}
  set -a
  source "$VELMORA_DESKTOPS/$desktop.env"
  set +a
fi
