#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright (c) 2026 The Zephra developers
# MIT License (see LICENSE)

from __future__ import absolute_import, division, print_function
__metaclass__ = type

DOCUMENTATION = r'''
module: ports_info
short_description: Lists the ports of the managed host where a printer may be
description:
  - Lists the serial ports of the managed host, then its USB printers of a maker zephra-cli
    accepts, with what the system says of each, with C(zephra-cli ports).
  - With I(identify), asks every serial port at once which printer answers, at the line
    settings given, and returns its family and model. Nothing but the identification request
    is sent, and nothing is written.
author:
  - Zephra developers (!UNKNOWN)
options:
  identify:
    description:
      - Sends the identification request to every serial port at once
        (C(zephra-cli ports --identify)) and adds the family and model that answered.
      - USB printers are listed, not asked.
    type: bool
    default: false
  ports:
    description:
      - Ports the system does not list to add, such as a pseudo-terminal, each given to
        zephra-cli with C(--port).
    type: list
    elements: str
    default: []
notes:
  - The line settings (I(baud), I(parity), I(data_bits), I(stop_bits)) are those at which
    I(identify) asks; without it they are only checked.
extends_documentation_fragment:
  - zephra.printer.link
  - ansible.builtin.action_common_attributes
attributes:
  check_mode:
    support: full
    details: The module changes nothing; it runs in check mode as it does otherwise.
  diff_mode:
    support: none
  platform:
    platforms: posix
seealso:
  - module: zephra.printer.wlan
  - module: zephra.printer.wlan_info
'''

EXAMPLES = r'''
- name: Find the printer on the host
  zephra.printer.ports_info:
    identify: true
  register: found

- name: Bring the printer that answered to the office profile
  zephra.printer.wlan:
    port: "{{ (found.ports | selectattr('family') | first).path }}"
    profile: /etc/zephra/office.json
'''

RETURN = r'''
ports:
  description:
    - The ports, serial ports first, then USB printers, as C(zephra-cli ports --json) gives
      them.
  returned: success
  type: list
  elements: dict
  contains:
    path:
      description: The port's device, as I(port) of the other modules takes it.
      type: str
      sample: /dev/ttyUSB0
    kind:
      description: C(serial) or C(usb).
      type: str
      sample: serial
    by_id:
      description: The port's C(/dev/serial/by-id/) name, which stays the same from boot to
        boot; empty when it has none.
      type: str
      sample: /dev/serial/by-id/usb-Bench_USB-Serial_A1B2C3-if00-port0
    vendor_id:
      description: The USB vendor id of the adapter or printer, four hexadecimal digits;
        empty for a port not on USB.
      type: str
      sample: 2A3B
    product_id:
      description: The USB product id, four hexadecimal digits; empty for a port not on USB.
      type: str
      sample: '0101'
    description:
      description: The device's name, as the system gives it.
      type: str
      sample: Bench USB-Serial
    serial:
      description: The device's serial number; empty when it has none.
      type: str
      sample: A1B2C3
    family:
      description: The family of the printer that answered, C(current), C(legacy) or
        C(module); empty when none did.
      returned: with I(identify)
      type: str
      sample: current
    model:
      description: The model character the printer named; empty when none did.
      returned: with I(identify)
      type: str
      sample: '5'
    message:
      description: Why there is no family, such as C(no answer); empty when there is one.
      returned: with I(identify)
      type: str
      sample: ''
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.zephra.printer.plugins.module_utils.zephra_cli import (
    LINE_OPTIONS, ZephraCliRun, check_port, line_arguments)


def main():
    options = dict(
        identify=dict(type='bool', default=False),
        ports=dict(type='list', elements='str', default=[]),
    )
    options.update(LINE_OPTIONS)
    module = AnsibleModule(argument_spec=options, supports_check_mode=True)
    args = ['ports', '--json'] + line_arguments(module.params)
    for port in module.params['ports']:
        check_port(module, 'each of ports', port)
        args.append('--port=' + port)
    if module.params['identify']:
        args.append('--identify')
    # It only lists and asks which printer answers, so check mode runs it too.
    run = ZephraCliRun(module, args)
    if run.rc != 0:
        run.fail()
    module.exit_json(changed=False, ports=[port for port in run.objects
                                           if isinstance(port, dict)])


if __name__ == '__main__':
    main()
