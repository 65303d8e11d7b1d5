# -*- coding: utf-8 -*-
# Copyright (c) 2026 The Zephra developers
# MIT License (see LICENSE)

from __future__ import absolute_import, division, print_function
__metaclass__ = type


class ModuleDocFragment(object):

    # The serial line and the program, as every module of the collection takes them.
    DOCUMENTATION = r'''
options:
  baud:
    description:
      - Baud rate of the serial line.
    type: str
    default: '57600'
  parity:
    description:
      - Parity of the serial line, C(None), C(Odd) or C(Even).
    type: str
    default: 'None'
  data_bits:
    description:
      - Data bits of the serial line, C(7) or C(8).
    type: str
    default: '8'
  stop_bits:
    description:
      - Stop bits of the serial line, C(1) or C(2).
    type: str
    default: '1'
  zephra_cli:
    description:
      - Path of the zephra-cli program on the managed host.
      - When left out, zephra-cli is looked for on the C(PATH).
    type: path
  timeout:
    description:
      - Seconds zephra-cli may take. Past them it is stopped after its request under way, and
        the task fails.
    type: int
    default: 120
requirements:
  - zephra-cli on the managed host
'''

    # The one printer a module talks to.
    PRINTER = r'''
options:
  port:
    description:
      - The printer's device on the managed host, for example C(/dev/ttyUSB0), or a USB
        printer's node C(/dev/usb/lp0).
      - Exactly one of I(port), I(usb=true) and I(printers) is required.
    type: str
  usb:
    description:
      - Talks to the first USB printer of a maker zephra-cli accepts, as
        M(zephra.printer.ports_info) lists them, in place of a I(port)
        (C(zephra-cli --usb)).
      - Exactly one of I(port), I(usb=true) and I(printers) is required.
    type: bool
    default: false
'''
